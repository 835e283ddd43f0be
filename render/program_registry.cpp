#include "render/program_registry.h"

#include <string_view>

void ProgramRegistry::add(const char* name, int vertexResourceId, int fragmentResourceId)
{
    m_built.push_back(std::make_unique<GLFWProgram>(vertexResourceId, fragmentResourceId));
    insert(name, m_built.back().get());
}

bool ProgramRegistry::insert(const char* name, GLFWProgram* program)
{
    return m_programs.emplace(name, program).second;
}

GLFWProgram* ProgramRegistry::find(const char* name) const
{
    const auto found = m_programs.find(std::string_view(name));
    return found == m_programs.end() ? nullptr : found->second;
}

void ProgramRegistry::use(const char* name) const
{
    if (GLFWProgram* program = find(name))
        program->use();
}
