#pragma once
// Reads a saved workbook back the way a spreadsheet program sees it: the package's parts,
// the worksheet names, and each cell's type, style number format and value.

#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "export/zip_reader.h"

namespace tablamo::testing {

/// One part of the package, read by the tests' own reader (the same on every system);
/// throws when it is missing.
inline std::string readPart(const std::string& xlsx, const std::string& part) {
    std::ifstream in(xlsx, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + xlsx);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto members = readFrontToBack(bytes);
    const auto found = members.find(part);
    if (found == members.end()) throw std::runtime_error("no part " + part + " in " + xlsx);
    return found->second;
}

/// The value of attribute `name` inside the tag text `tag`, or "".
inline std::string attribute(const std::string& tag, const std::string& name) {
    const std::string key = " " + name + "=\"";
    const std::size_t at = tag.find(key);
    if (at == std::string::npos) return {};
    const std::size_t begin = at + key.size();
    return tag.substr(begin, tag.find('"', begin) - begin);
}

/// XML character references and the workbook's "_xHHHH_" escapes undone.
inline std::string decodeText(const std::string& xml) {
    std::string plain;
    for (std::size_t i = 0; i < xml.size();) {
        if (xml[i] == '&') {
            static const std::pair<const char*, char> kEntities[] = {
                {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}, {"&apos;", '\''}};
            bool done = false;
            for (const auto& [name, ch] : kEntities) {
                if (xml.compare(i, std::string(name).size(), name) == 0) {
                    plain += ch;
                    i += std::string(name).size();
                    done = true;
                    break;
                }
            }
            if (!done) throw std::runtime_error("unknown entity in " + xml);
        } else if (xml[i] == '_' && i + 6 < xml.size() && xml[i + 1] == 'x' && xml[i + 6] == '_' &&
                   xml.find_first_not_of("0123456789ABCDEFabcdef", i + 2) == i + 6) {
            plain += static_cast<char>(std::stoi(xml.substr(i + 2, 4), nullptr, 16));
            i += 7;
        } else {
            plain += xml[i++];
        }
    }
    return plain;
}

struct SheetCell {
    std::string type;    // "" (number or date), "inlineStr", "s", ...
    std::string format;  // the number format of its style; "" for the default
    std::string value;   // the number as written, or the decoded text
};

class XlsxPackage {
public:
    explicit XlsxPackage(std::string path) : m_path(std::move(path)) {
        const std::string book = readPart(m_path, "xl/workbook.xml");
        for (std::size_t at = 0; (at = book.find("<sheet ", at)) != std::string::npos; ++at) {
            sheetNames.push_back(
                decodeText(attribute(book.substr(at, book.find('>', at) - at), "name")));
        }
        const std::string styles = readPart(m_path, "xl/styles.xml");
        std::map<std::string, std::string> codes;
        for (std::size_t at = 0; (at = styles.find("<numFmt ", at)) != std::string::npos; ++at) {
            const std::string tag = styles.substr(at, styles.find('>', at) - at);
            codes[attribute(tag, "numFmtId")] = decodeText(attribute(tag, "formatCode"));
        }
        const std::size_t xfs = styles.find("<cellXfs");
        const std::size_t xfsEnd = styles.find("</cellXfs>");
        for (std::size_t at = xfs; (at = styles.find("<xf ", at)) < xfsEnd; ++at) {
            const std::string id =
                attribute(styles.substr(at, styles.find('>', at) - at), "numFmtId");
            m_styleFormats.push_back(codes.count(id) ? codes[id]
                                     : id == "0"     ? ""
                                                     : "builtin " + id);
        }
    }

    /// The raw XML of worksheet `index` (from 0).
    std::string sheetXml(int index) const {
        return readPart(m_path, "xl/worksheets/sheet" + std::to_string(index + 1) + ".xml");
    }

    /// Every cell of worksheet `index` by its address.
    std::map<std::string, SheetCell> cells(int index) const {
        const std::string xml = sheetXml(index);
        std::map<std::string, SheetCell> result;
        for (std::size_t at = 0; (at = xml.find("<c ", at)) != std::string::npos; ++at) {
            const std::size_t tagEnd = xml.find('>', at);
            const std::string tag = xml.substr(at, tagEnd - at);
            SheetCell cell;
            cell.type = attribute(tag, "t");
            const std::string style = attribute(tag, "s");
            if (!style.empty()) cell.format = m_styleFormats.at(std::stoul(style));
            const std::size_t close = xml.find("</c>", tagEnd);
            std::string inner = xml.substr(tagEnd + 1, close - tagEnd - 1);
            if (cell.type == "inlineStr") {
                const std::size_t t = inner.find("<t");
                const std::size_t begin = inner.find('>', t) + 1;
                cell.value = decodeText(inner.substr(begin, inner.find("</t>") - begin));
            } else if (inner.rfind("<v>", 0) == 0) {
                cell.value = inner.substr(3, inner.find("</v>") - 3);
            }
            result[attribute(tag, "r")] = cell;
        }
        return result;
    }

    std::vector<std::string> sheetNames;

private:
    std::string m_path;
    std::vector<std::string> m_styleFormats;
};

}  // namespace tablamo::testing
