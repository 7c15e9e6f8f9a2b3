#pragma once
// JSON text for every writer of JSON (the command line, the page): one escaping.

#include <string>

// A JSON string literal, quotes included. Bytes that are not UTF-8 become U+FFFD, so the
// output is valid JSON whatever the text held.
std::string JsonString(const std::string& text);
