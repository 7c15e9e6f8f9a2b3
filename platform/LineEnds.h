#pragma once
// Texts read line by line as the platform's string lists read them: a line ends at CR LF, CR
// or LF alike, and every line written back ends with CR LF.

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// text with each line ended by CR LF, the last one too (an empty text stays empty).
std::string WithCrLfLineEnds(const std::string& text);

// Whether a CR alone ends a line: in tables saved as "CSV (Macintosh)" it does; elsewhere a CR
// inside a line is the line's own.
enum class LoneCr { InLine, EndsLine };

// The lines of a file as the readers take them: cut at LF, a CR just before it (or at the very
// end) part of the line end; a final LF opens no empty last line. The views point into text.
std::vector<std::string_view> SplitLines(std::string_view text, LoneCr loneCr = LoneCr::InLine);
// Whether a line of text ends with CR LF (or a final CR): the file's own line end to keep.
bool HasCrLfLineEnds(std::string_view text);

}  // namespace platform
