#pragma once

#include <string>
#include <vector>

class Category;
class Item;

namespace xml {
struct SystemVersion;
}

// The Windows the conditions of the definitions were tested against, as one
// line: "windows version=<major>.<minor> build=<n> sp=<major>.<minor>
// type=<personal|workstation|server>".
std::wstring dumpSystem(const xml::SystemVersion& system);

// The catalogue as text, one line per category, item group and item, for
// people and for black-box tests of the loader:
//   category <id> "<name>" target=0x... expanded=... parent=<id or -> [keys=<k>|<k>...]
//     group <id> "<name>" target=0x...
//       item <qualified id> class=<name> target=0x... post=<n> default=<v> stored=<v> current=<v>
//            [inherited=<true|false>]
// A selector lists its keys; an item that can inherit says whether it does.
// A launcher's line ends with " targets=<count>".
// Every category is listed at the top level in the loader's order.
std::wstring dumpCatalogue(const std::vector<Category*>& categories);

// The default, stored and current values of an item as the dump shows them:
// check items true or false, number and choice items in decimal, bit items
// as 0x and 8 hexadecimal digits; "-" for an item of a kind that holds no
// value.
struct ItemValueTexts {
    std::wstring defaultValue;
    std::wstring stored;
    std::wstring current;
};
ItemValueTexts valueTextsOf(const Item& item);
