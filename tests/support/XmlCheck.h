#pragma once
// Pages checked the way a strict XML reader takes them: libxml2's xmllint, with no network.

#include <string>

namespace kivp::test {

// The parser's complaints about the file; empty when it is well-formed XML.
std::string xmlProblems(const std::string& path);

// What an XPath expression over the file gives (a count, a text), as xmllint prints it. The page's elements are
// in the XHTML namespace, so match them by local-name().
std::string xpath(const std::string& path, const std::string& expression);

} // namespace kivp::test
