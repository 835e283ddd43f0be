// One program's cache of uniform and attribute locations, keyed by name alone.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

class LocationCache {
public:
    // The cached location of name, or the answer of ask(name) the first time
    // the name is seen (−1 included). Uniforms and attributes share the cache:
    // whichever kind of query came first decides the value.
    template <typename Query>
    int lookup(const char* name, Query&& ask)
    {
        // Found by the name's characters: no string is built for a hit.
        const std::string_view key(name);
        const auto found = m_locations.find(key);
        if (found != m_locations.end())
            return found->second;
        const int location = ask(name);
        m_locations.emplace(std::string(key), location);
        return location;
    }

    std::size_t size() const { return m_locations.size(); }

private:
    std::map<std::string, int, std::less<>> m_locations;
};
