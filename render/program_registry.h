// The map from program name to its linked program; owns the programs.
#pragma once

#include "render/program.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class ProgramRegistry {
public:
    ProgramRegistry() = default;

    // Builds the program (or ends the process on a compile failure) and
    // registers it under name. A name already registered keeps its first
    // program; the new one stays alive, unreachable, as long as the registry.
    void add(const char* name, int vertexResourceId, int fragmentResourceId);
    // Registers an already built program the same way, without taking it
    // over; false when the name was taken.
    bool insert(const char* name, GLFWProgram* program);

    // The program registered under name, or null.
    GLFWProgram* find(const char* name) const;
    // Makes the named program current; an unknown name changes nothing.
    void use(const char* name) const;

private:
    // Compared by characters, so a look-up by a C string builds no string.
    std::map<std::string, GLFWProgram*, std::less<>> m_programs;
    // Every program add built, reachable by name or not.
    std::vector<std::unique_ptr<GLFWProgram>> m_built;
};
