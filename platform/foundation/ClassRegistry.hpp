#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>

#include "platform/foundation/NSCoder.hpp"

namespace rovuzu {

// The names the runtime knows classes by, so that resource files and the application entry
// can name a class and get an instance back. Each class registers itself in its own source
// file with ROVUZU_REGISTER_CLASS.
class ClassNames {
  public:
    static void add(std::type_index type, std::string name) { names()[type] = std::move(name); }
    static std::string nameOf(std::type_index type) {
        const auto found = names().find(type);
        return found == names().end() ? std::string{} : found->second;
    }

  private:
    static std::map<std::type_index, std::string>& names() {
        static std::map<std::type_index, std::string> table;
        return table;
    }
};

// The class's registered name, or an empty string for a class that never registered.
template <class T>
std::string NSStringFromClass() {
    return ClassNames::nameOf(typeid(T));
}

// Makes instances of registered subclasses of Base by name. A class that can be decoded is
// made through its decoder initialiser (T(const NSCoder&)) when a coder is given, otherwise
// through its plain initialiser.
template <class Base>
class ClassRegistry {
  public:
    using Factory = std::function<std::shared_ptr<Base>(const NSCoder*)>;

    static ClassRegistry& shared() {
        static ClassRegistry registry;
        return registry;
    }

    template <class T>
    bool add(std::string name) {
        static_assert(std::is_base_of_v<Base, T>);
        ClassNames::add(typeid(T), name);
        factories_[std::move(name)] = [](const NSCoder* coder) -> std::shared_ptr<Base> {
            if constexpr (std::is_constructible_v<T, const NSCoder&>) {
                if (coder != nullptr) {
                    return std::make_shared<T>(*coder);
                }
            }
            if constexpr (std::is_default_constructible_v<T>) {
                return std::make_shared<T>();
            } else {
                return nullptr;
            }
        };
        return true;
    }

    [[nodiscard]] bool contains(std::string_view name) const {
        return factories_.find(name) != factories_.end();
    }

    // A new instance, or nullptr when no subclass of Base has that name.
    [[nodiscard]] std::shared_ptr<Base> make(std::string_view name,
                                             const NSCoder* coder = nullptr) const {
        const auto found = factories_.find(name);
        return found == factories_.end() ? nullptr : found->second(coder);
    }

  private:
    std::map<std::string, Factory, std::less<>> factories_;
};

#define ROVUZU_REGISTER_CLASS(Base, Class)                                   \
    namespace {                                                              \
    [[maybe_unused]] const bool registered##Class =                          \
        ::rovuzu::ClassRegistry<Base>::shared().template add<Class>(#Class); \
    }

}  // namespace rovuzu
