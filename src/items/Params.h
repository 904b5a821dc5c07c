#pragma once

#include <string>

#include "xml/Element.h"

// Calls read(name, element) for every element child of a params element, or
// of a parameter that holds elements, in document order, so that a parameter
// given twice keeps the last one.
template <typename Read>
void forEachParam(const xml::Node& params, Read read) {
    for (xml::Node* const* child = params.childrenBegin(); child != params.childrenEnd(); ++child) {
        if ((*child)->getType() == xml::ELEMENT_NODE) read((*child)->getName(), **child);
    }
}
