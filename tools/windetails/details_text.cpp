#include "details_text.h"

#include "about/about_facts.h"

#include <sstream>

namespace {

// A string in a resource script: quotes doubled, backslashes escaped.
std::string rcString(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += "\"\"";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out + "\"";
}

std::string xmlAttribute(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// The notice's first line: the rights notice naming the maker.
std::string rightsNotice()
{
    const std::string notice = about::kNoticeText;
    return notice.substr(0, notice.find("\r\n"));
}

} // namespace

std::string versionNumbers(const std::string& version)
{
    // One to four dot-separated numbers of one to five digits, each at most
    // 65535 (a version resource holds four 16-bit numbers).
    std::string numbers;
    int count = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t dot = version.find('.', start);
        const std::string part = version.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        if (part.empty() || part.size() > 5 || part.find_first_not_of("0123456789") != std::string::npos)
            return {};
        const int number = std::stoi(part);
        if (number > 65535 || ++count > 4)
            return {};
        numbers += (count > 1 ? "," : "") + std::to_string(number);
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    for (; count < 4; ++count)
        numbers += ",0";
    return numbers;
}

std::string resourceScript(const std::string& version, const std::string& iconPath)
{
    const std::string numbers = versionNumbers(version);
    const std::string product = rcString(about::kProductName);
    std::ostringstream rc;
    rc << "// Made by windetails from the program's facts: do not edit.\n"
       << "#pragma code_page(65001)\n"
       << "LANGUAGE 0x09, 0x01\n\n"  // English (United States)
       << "// The icon Explorer, the installer and Programs and Features show.\n"
       << "1 ICON " << rcString(iconPath) << "\n\n"
       << "// String 1: the name Screen Saver Settings list the screensaver by.\n"
       << "STRINGTABLE\nBEGIN\n    1 " << product << "\nEND\n\n"
       << "1 VERSIONINFO\n"
       << "FILEVERSION " << numbers << "\n"
       << "PRODUCTVERSION " << numbers << "\n"
       << "FILEFLAGSMASK 0x3F\nFILEFLAGS 0\n"
       << "FILEOS 0x40004\n"  // VOS_NT_WINDOWS32
       << "FILETYPE 1\n"      // VFT_APP
       << "FILESUBTYPE 0\n"
       << "BEGIN\n"
       << "    BLOCK \"StringFileInfo\"\n    BEGIN\n"
       << "        BLOCK \"040904B0\"\n        BEGIN\n"  // English (US), UTF-16
       << "            VALUE \"CompanyName\", " << rcString(about::kMaker) << "\n"
       << "            VALUE \"FileDescription\", " << product << "\n"
       << "            VALUE \"FileVersion\", " << rcString(version) << "\n"
       << "            VALUE \"InternalName\", \"tarnwick\"\n"
       << "            VALUE \"LegalCopyright\", " << rcString(rightsNotice()) << "\n"
       << "            VALUE \"OriginalFilename\", \"tarnwick.scr\"\n"
       << "            VALUE \"ProductName\", " << product << "\n"
       << "            VALUE \"ProductVersion\", " << rcString(version) << "\n"
       << "        END\n    END\n"
       << "    BLOCK \"VarFileInfo\"\n    BEGIN\n"
       << "        VALUE \"Translation\", 0x409, 1200\n"
       << "    END\n"
       << "END\n";
    return rc.str();
}

std::string installerFacts()
{
    std::ostringstream wxi;
    wxi << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        << "<!-- Made by windetails from the program's facts: do not edit. -->\n"
        << "<Include>\n"
        << "  <?define ProductName = \"" << xmlAttribute(about::kProductName) << "\"?>\n"
        << "  <?define Maker = \"" << xmlAttribute(about::kMaker) << "\"?>\n"
        << "  <?define MakerHome = \"" << xmlAttribute(about::kMakerHome) << "\"?>\n"
        << "</Include>\n";
    return wxi.str();
}
