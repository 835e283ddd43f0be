#include "mesh/resource_text.h"

#include "platform/resources.h"

#include <new>

namespace wavefront {

bool LineReader::loadResource(int resourceId)
{
    const ResourceBytes bytes = findResource(resourceId, kTextFileType);
    m_position = 0;
    // The parser's one exception handler: a text too large for memory makes a
    // failed load rather than ending the process.
    try {
        if (bytes)
            m_text.assign(reinterpret_cast<const char*>(bytes.data), bytes.size);
        else
            m_text.clear();
    } catch (const std::bad_alloc&) {
        m_text.clear();
        return false;
    }
    return true;
}

bool LineReader::nextLine(std::string_view& line)
{
    if (m_position >= m_text.size())
        return false;
    const std::string_view rest = std::string_view(m_text).substr(m_position);
    const std::size_t end = rest.find('\n');
    if (end == std::string_view::npos) {
        line = rest;
        m_position = m_text.size();
    } else {
        line = rest.substr(0, end);
        m_position += end + 1;
    }
    return true;
}

} // namespace wavefront
