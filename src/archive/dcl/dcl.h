// Our own codec for the PKWARE Data Compression Library "implode" format,
// the format of every compressed entry in a .res archive.
//
// A stream is a 2-byte header (literal mode: 0 binary, 1 ASCII; dictionary
// size code: 4, 5, 6 for 1024, 2048, 4096 bytes), then a bit stream of
// literals and length/distance matches read from the lowest bit of each byte
// first, closed by the end code (length 519) and zero bits up to the byte.
//
// explode() outcomes, every one of them final (nothing is retried):
//   ok            the end code was reached; `output` holds the decoded bytes.
//                 Bytes after the end code's byte are not looked at.
//   bad_header    the mode byte is not 0 or 1, or the dictionary byte is
//                 not 4, 5 or 6.
//   truncated     the input ends before the end code (an input shorter than
//                 the 2-byte header included).
//   invalid_code  a bit pattern that is no code. The three fixed code tables
//                 are complete prefix codes, so no stream of this format can
//                 give it; it stays in the set for callers' exhaustive handling.
//   bad_distance  a match reaches back before the start of the output.
//   output_limit  the stream decodes to more than `max_output` bytes.
// On any outcome but ok, `output` is left empty. explode() never reads past
// `input`, never holds more than `max_output` decoded bytes, and ends on any
// input: every code consumes at least 4 bits.
//
// implode() writes binary literal mode only. It returns an empty Bytes (never
// a valid stream) for a dictionary size other than 1024, 2048 or 4096 and for
// inputs longer than 4 GiB - 64 KiB; otherwise the stream always decodes back
// to `input`, with distances up to the dictionary size (256 for length-2
// matches) and lengths up to 518.
#pragma once

#include <cstddef>
#include <cstdint>

#include "archive/byte_io.h"

namespace mw::dcl {

enum class Status { ok, bad_header, truncated, invalid_code, bad_distance, output_limit };

// Short English text for a status, e.g. "the stream ends before its end code".
const char* describe(Status status);

// Decodes a whole stream (binary or ASCII literal mode) into `output` (cleared first).
// Never reads past `input`, never writes more than `max_output` bytes (output_limit when it would).
// A damaged stream gives a Status other than ok; the caller discards `output` then.
Status explode(ByteSpan input, Bytes& output, std::size_t max_output);

// Encodes `input` in binary literal mode with a dictionary of 1024, 2048 or 4096 bytes
// (header bytes 00 04 / 00 05 / 00 06). Always ends with the end code, so an empty input is a 4-byte stream.
Bytes implode(ByteSpan input, int dictionary_size);

// 1024/2048/4096 for the 16-bit header values 0x0400/0x0500/0x0600 read little-endian; 0 otherwise.
int dictionary_size_of_header(std::uint16_t header);

}  // namespace mw::dcl
