#pragma once
// The one rule for variable names, wherever a name comes from (the options, the advanced
// tool's list, the command line): a name is what the formula language reads back as that
// same name. Blanks are dropped by the reader and "+", "*" and "|" are its operators, so none
// may stand in a name; control characters and bytes that are not UTF-8 would garble every
// text the name goes into.

#include <string>

namespace varname {

// An empty text when name may be used; otherwise the message to show, translated, saying
// which name and why.
std::string Problem(const std::string& name);

// True when text is well-formed UTF-8.
bool IsUtf8(const std::string& text);
// The length of the well-formed UTF-8 sequence at text[i], or 0 where there is none.
std::size_t Utf8SequenceLength(const std::string& text, std::size_t i);

}  // namespace varname
