#include "tools/ToolRegistry.h"

#include "tools/Tool.h"

ToolRegistryMap& toolRegistry() {
    // The one function-local registry: constructed by the first registration,
    // whichever translation unit's static objects run first.
    static ToolRegistryMap registry;
    return registry;
}

bool RegisterTool(const std::string& name, const ToolRegistrarBase& registrar) {
    return toolRegistry().emplace(name, &registrar).second;
}

std::unique_ptr<Tool> CreateToolByName(const std::string& name) {
    const ToolRegistryMap& registry = toolRegistry();
    const auto found = registry.find(name);
    if (found == registry.end()) {
        return nullptr;
    }
    return found->second->Create();
}
