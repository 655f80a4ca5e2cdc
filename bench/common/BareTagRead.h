// Shared by the benchmarks that compare the program's tag reading with a bare
// loop of the same libid3tag calls: the bare read itself (on host paths, see
// mp3/HostPath.h) and the median of timed runs.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The libid3tag calls of one tag read (open read-only, tag, COMM full text,
// first TALB string, Latin-1 copies, close), without anything around them;
// returns the number of characters read.
std::size_t BareRead(const std::string& unixPath);

double Median(std::vector<double> values);
