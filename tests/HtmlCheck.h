#pragma once
// Parses a page with libxml2's HTML parser and returns its complaints, one per line; empty
// when the page is well-formed HTML.

#include <libxml/HTMLparser.h>

#include <string>

namespace testing_support {

inline std::string HtmlErrors(const std::string& page) {
    std::string errors;
    htmlParserCtxtPtr ctx = htmlNewParserCtxt();
    xmlSetStructuredErrorFunc(&errors, [](void* sink, xmlError* e) {
        auto* out = static_cast<std::string*>(sink);
        *out += std::to_string(e->line) + ": " + (e->message ? e->message : "?");
    });
    htmlDocPtr doc = htmlCtxtReadMemory(ctx, page.data(), static_cast<int>(page.size()), nullptr,
                                        "UTF-8", HTML_PARSE_NONET);
    if (!doc && errors.empty()) errors = "not parsed";
    xmlFreeDoc(doc);
    htmlFreeParserCtxt(ctx);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    return errors;
}

}  // namespace testing_support
