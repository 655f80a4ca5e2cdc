// Fixed names and limits of the MP3 catalogue: the file-name ending, the
// update marker and the lengths that the marker and the album rename obey.
#pragma once

#include <cstddef>

// File-name ending of the files the folder scan lists (compared ignoring case).
inline constexpr char g_strMp3Extension[] = "mp3";

// Appended to a comment once the file has been through the volume update.
inline constexpr char g_strAvcMarker[] = ":AVC";
inline constexpr std::size_t kAvcMarkerLength = sizeof(g_strAvcMarker) - 1;

// A marked comment is at most this long.
inline constexpr std::size_t kCommentCapacity = 28;
// The part of an old comment that is kept in front of the marker.
inline constexpr std::size_t kCommentCutLength = kCommentCapacity - kAvcMarkerLength;

// Longest album name: longer ones are reported by the scan and never set by
// Change Album.
inline constexpr std::size_t kAlbumLimit = 150;

static_assert(kCommentCutLength == 24, "the marker keeps 24 characters of a comment");
