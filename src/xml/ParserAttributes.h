#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "xml/Node.h"
#include "xml/ParserInput.h"

namespace xml::parsing {

// The attributes of a tag, as the map handed to the callback. Elements of one
// name in definition files mostly repeat the same attributes in the same
// order, so each name keeps the map of its previous tag: while the names
// repeat, values are read straight into its nodes. Otherwise it is rebuilt
// from recycled nodes. Either way a tag allocates nothing once the strings
// have grown.
class Attributes {
public:
    void beginTag() {
        next_ = 0;
        repeating_ = unique_;
        if (!repeating_) recycleFrom(0);
    }

    // Where the value of the attribute of that name is read.
    std::wstring& valueOf(std::wstring_view name) {
        if (repeating_ && next_ < order_.size() && sameUnits(order_[next_]->first, name)) {
            std::wstring& slot = order_[next_]->second;
            slot.clear();
            return slot;
        }
        if (repeating_) {
            recycleFrom(next_);
            repeating_ = false;
        }
        name_.assign(name);
        value_.clear();
        return value_;
    }

    // The attribute is complete; a later one of the same name replaces it.
    void add() {
        if (repeating_) {
            ++next_;
            return;
        }
        AttributeMap::node_type node = spareNode();
        node.key().swap(name_);
        node.mapped().swap(value_);
        auto result = map_.insert(std::move(node));
        if (!result.inserted) {
            result.position->second.swap(result.node.mapped());
            spare_.push_back(std::move(result.node));
        }
        order_.push_back(result.position);
    }

    const AttributeMap& endTag() {
        if (repeating_) {
            recycleFrom(next_);
        } else {
            unique_ = map_.size() == order_.size();
        }
        return map_;
    }

    const AttributeMap& map() const { return map_; }

private:
    // Drops the attributes from position first on of the previous tag, which
    // held each name once.
    void recycleFrom(size_t first) {
        if (!unique_) {
            first = 0;
            order_.clear();
            while (!map_.empty()) spare_.push_back(map_.extract(map_.begin()));
            unique_ = true;
        }
        for (size_t i = first; i < order_.size(); ++i) spare_.push_back(map_.extract(order_[i]));
        order_.resize(first);
    }

    AttributeMap::node_type spareNode() {
        if (spare_.empty()) {
            AttributeMap fresh;
            fresh.emplace();
            return fresh.extract(fresh.begin());
        }
        AttributeMap::node_type node = std::move(spare_.back());
        spare_.pop_back();
        return node;
    }

    AttributeMap map_;
    std::vector<AttributeMap::iterator> order_;  // this tag's attributes so far, as read
    std::vector<AttributeMap::node_type> spare_;
    std::wstring name_;
    std::wstring value_;
    size_t next_ = 0;
    bool repeating_ = false;
    bool unique_ = true;  // order_ names every node of map_ once
};

// The attribute maps kept per element name. Past a bound every further name
// shares one, so input with endless distinct names cannot hoard memory.
class AttributesByName {
public:
    Attributes& of(const std::wstring& name) {
        const auto found = byName_.find(name);
        if (found != byName_.end()) return found->second;
        if (byName_.size() == maximumNames) return shared_;
        return byName_[name];
    }

private:
    static constexpr size_t maximumNames = 64;
    std::map<std::wstring, Attributes> byName_;
    Attributes shared_;
};

}  // namespace xml::parsing
