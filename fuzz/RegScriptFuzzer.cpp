// Feeds arbitrary bytes to the registry script reader and lays what it read
// over an empty registry, asking the layer of every key and value it names.
// The reader's refusals are expected; anything else escapes and is reported.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/Exception.h"
#include "registry/RegScriptReader.h"
#include "registry/RegistryLayer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<RegScriptEntry> entries;
    try {
        entries = readRegScript(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const ConfigException&) {
        return 0;
    }
    const RegistryLayer layer(entries);
    RegistryLayer::Value value;
    for (const RegScriptEntry& entry : entries) {
        // Every value the reader hands out stands inside a key it named.
        if (entry.keyPath.empty()) __builtin_trap();
        layer.keyState(entry.keyPath);
        layer.valueState(entry.keyPath, entry.valueName, value);
        layer.subKeyNames(entry.keyPath, {L"a"});
        layer.valueTypes(entry.keyPath, {{L"a", 1}});
    }
    return 0;
}
