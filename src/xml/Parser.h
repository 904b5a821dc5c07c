#pragma once

#include <istream>
#include <map>
#include <string>

#include "xml/ParserCallback.h"

namespace xml {

// Reads the XML subset of definition files one code unit at a time and
// reports it to a callback. The code unit 0xFFFF ends the input wherever it
// stands. Stops at the first error with XMLException; whatever a callback
// throws passes through. One parser reads one document.
class Parser {
public:
    explicit Parser(ParserCallback* callback);

    void parse(std::wistream& in);

private:
    ParserCallback* callback_;
    std::map<std::wstring, std::wstring> entities_;
};

}  // namespace xml
