#pragma once
// Tools are made by name. Every concrete tool registers a factory under its
// name while the program's static objects are built; the toolbox and the
// input handlers then create a fresh instance for each operation.

#include <map>
#include <memory>
#include <string>

class Tool;

// Makes new instances of one tool class. Registrars are static objects that
// live for the whole run and are never deleted through this base.
class ToolRegistrarBase {
  public:
    virtual std::unique_ptr<Tool> Create() const = 0;

  protected:
    ToolRegistrarBase() = default;
    ~ToolRegistrarBase() = default;
    ToolRegistrarBase(const ToolRegistrarBase&) = delete;
    ToolRegistrarBase& operator=(const ToolRegistrarBase&) = delete;
};

// Tool name -> its factory (not owned), ordered by byte comparison.
using ToolRegistryMap = std::map<std::string, const ToolRegistrarBase*>;

// The registry, built on first use so that registrations made while static
// objects are constructed work in any order.
ToolRegistryMap& toolRegistry();

// Adds `registrar` under `name` unless the name is taken: the first
// registration of a name wins. False when it was taken.
bool RegisterTool(const std::string& name, const ToolRegistrarBase& registrar);

// A new, not yet begun instance of the tool registered under exactly `name`
// (case-sensitive); null for an unknown name.
std::unique_ptr<Tool> CreateToolByName(const std::string& name);

template <class T> class ToolRegistrar final : public ToolRegistrarBase {
  public:
    explicit ToolRegistrar(const char* name) { RegisterTool(name, *this); }
    std::unique_ptr<Tool> Create() const override { return std::make_unique<T>(); }
};
