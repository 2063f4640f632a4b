// Text conversions at the tool's edges: DTAZV files are Windows-1252, the
// terminal, JSON and the component's API are UTF-8, and finance departments
// export CSV in either.
//
//   std::string shown = xkdtazv::cli::Windows1252ToUtf8(record_bytes);
//   if (!xkdtazv::cli::IsValidUtf8(csv)) csv = xkdtazv::cli::Windows1252ToUtf8(csv);
#ifndef XKDTAZV_READER_TEXT_ENCODING_H_
#define XKDTAZV_READER_TEXT_ENCODING_H_

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace xkdtazv::cli {

// The UTF-8 form of each of the 256 Windows-1252 bytes; U+FFFD for the five
// bytes the code page leaves undefined. Build it once per file, not per field.
using Windows1252Table = std::array<std::string, 256>;
Windows1252Table MakeWindows1252Table();

std::string Windows1252ToUtf8(std::string_view bytes);

// Windows-1252 bytes as UTF-8 for a terminal or a report: control bytes and
// undefined bytes appear as \xNN, so that nothing in a file can move the cursor.
std::string PrintableWindows1252(std::string_view bytes, const Windows1252Table& table);
// The same, appended to `out`: reports written piece by piece need no copy.
void AppendPrintableWindows1252(std::string& out, std::string_view bytes,
                                const Windows1252Table& table);

// True when `text` is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view text) noexcept;

// `text` with each byte that is not part of well-formed UTF-8 written as \xNN,
// for messages that quote input.
std::string EscapeInvalidUtf8(std::string_view text);

// The number of code points; each malformed sequence counts as one.
std::size_t CodePointCount(std::string_view utf8) noexcept;

// `text` in quotation marks for a message; beyond `limit` code points only
// its beginning, then "…" and its length, so that a huge value cannot make a
// huge message: "AAAA…" (2000000 characters).
std::string QuoteShort(std::string_view text, std::size_t limit = 40);

// `text` without a leading UTF-8 byte-order mark.
std::string_view WithoutByteOrderMark(std::string_view text) noexcept;

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_READER_TEXT_ENCODING_H_
