#include "document/markupcheck.h"

#include <tinyxml.h>

#include <cctype>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// What a plan file may be. A plan's markup is four elements deep and its widest
// element has nine attributes: the limits leave ample room for what other tools
// add, while TinyXML parses nesting by recursion (deep files overflow the stack)
// and checks each attribute against all earlier ones (many take quadratic time).
const int MAX_NESTING = 32;
const int MAX_ATTRIBUTES = 32;
// TinyXML spends up to a microsecond and 200 bytes on each node it keeps
// (element, attribute, text, comment). A plan's events need one for every 11
// bytes or more; a file needing more than one for every 10 bytes, beyond a small
// start, cannot be a plan and would cost more than a second per 10 MB.
const std::size_t FREE_NODES = 65536;
const std::size_t BYTES_PER_NODE = 10;

bool IsAsciiLetter(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsAsciiAlphaNum(unsigned char c)
{
    return IsAsciiLetter(c) || (c >= '0' && c <= '9');
}

/// Walks the markup once, without recursion, taking every step as TinyXML's parser
/// takes it (its white space, names, attributes with or without quotes, declarations
/// read word by word, other instructions and declarations up to the first '>'), so that
/// it sees the nesting, attributes and nodes TinyXML will build. It refuses a file
/// beyond the limits on them, a node cut off by the end of the file, and markup after
/// text at the top level, where TinyXML stops reading without a word.
class MarkupCheck
{
public:
    MarkupCheck(const char* begin, const char* end)
        : m_p(begin), m_end(end), m_nodesLeft(FREE_NODES + (end - begin) / BYTES_PER_NODE)
    {
    }

    bool Run()
    {
        // TinyXML reads a file as UTF-8 after a byte order mark, else from the first
        // declaration on; only what it skips as white space depends on it.
        m_utf8 = At("\xEF\xBB\xBF");
        bool encodingKnown = m_utf8;
        std::vector<std::pair<const char*, std::size_t>> open;
        while (true) {
            if (open.empty()) {
                SkipSpace();
                if (m_p == m_end)
                    return true;
                if (*m_p != '<')
                    return !std::memchr(m_p, '<', m_end - m_p);
            } else {
                // Text of blanks alone is dropped at once: only other text is kept as a node.
                SkipSpace();
                if (m_p != m_end && *m_p != '<') {
                    const char* text = m_p;
                    m_p = static_cast<const char*>(std::memchr(m_p, '<', m_end - m_p));
                    if (!m_p || !Node() || !ReferencesAreWhole(text, m_p))
                        return false;
                }
                if (At("</")) {
                    const auto& [name, length] = open.back();
                    if (std::size_t(m_end - m_p) < length + 2 || std::memcmp(m_p + 2, name, length) != 0)
                        return false;
                    m_p += length + 2;
                    SkipSpace();
                    if (!At(">"))
                        return false;
                    ++m_p;
                    open.pop_back();
                    continue;
                }
                if (m_p == m_end)
                    return false;
            }
            if (!Node())
                return false;
            if (AtIgnoringCase("<?xml")) {
                std::pair<const char*, const char*> encoding(nullptr, nullptr);
                if (!Declaration(&encoding))
                    return false;
                if (open.empty() && !encodingKnown) {
                    encodingKnown = true;
                    const std::size_t length = encoding.second - encoding.first;
                    m_utf8 = length == 0 || (length >= 5 && AtIgnoringCase("utf-8", encoding.first))
                          || (length >= 4 && AtIgnoringCase("utf8", encoding.first));
                }
            } else if (At("<!--")) {
                m_p += 4;
                if (!SkipPast("-->"))
                    return false;
            } else if (At("<![CDATA[")) {
                m_p += 9;
                if (!SkipPast("]]>"))
                    return false;
            } else if (At("<!") || !(IsAlpha(m_p[1]) || m_p[1] == '_')) {
                if (!SkipPast(">"))
                    return false;
            } else {
                ++m_p;
                SkipSpace();
                const char* name = m_p;
                if (!Name())
                    return false;
                const std::size_t nameLength = m_p - name;
                bool empty;
                if (!Attributes(&empty))
                    return false;
                if (!empty) {
                    if (open.size() == MAX_NESTING)
                        return false;
                    open.emplace_back(name, nameLength);
                }
            }
        }
    }

private:
    /// Counts one more node; false when the file holds more than it may.
    bool Node()
    {
        if (m_nodesLeft == 0)
            return false;
        --m_nodesLeft;
        return true;
    }

    bool At(const char* literal) const
    {
        const std::size_t length = std::strlen(literal);
        return std::size_t(m_end - m_p) >= length && std::memcmp(m_p, literal, length) == 0;
    }

    /// Whether text, which ends with a zero byte, starts with the lower-case literal in any
    /// letter case.
    static bool AtIgnoringCase(const char* literal, const char* text)
    {
        for (; *literal; ++literal, ++text) {
            const char c = *text >= 'A' && *text <= 'Z' ? char(*text - 'A' + 'a') : *text;
            if (c != *literal)
                return false;
        }
        return true;
    }

    bool AtIgnoringCase(const char* literal) const { return AtIgnoringCase(literal, m_p); }

    /// TinyXML's white space: the C library's, and in UTF-8 the byte order mark and
    /// the two non-characters U+FFFE and U+FFFF.
    void SkipSpace()
    {
        while (m_p < m_end) {
            const unsigned char* u = reinterpret_cast<const unsigned char*>(m_p);
            if (m_utf8 && u[0] == 0xEF
                && ((u[1] == 0xBB && u[2] == 0xBF) || (u[1] == 0xBF && (u[2] == 0xBE || u[2] == 0xBF))))
                m_p += 3;
            else if (std::isspace(u[0]))
                ++m_p;
            else
                break;
        }
    }

    bool SkipPast(const char* marker)
    {
        // Not memmem: AddressSanitizer checks its whole range on every call.
        const std::size_t length = std::strlen(marker);
        while ((m_p = static_cast<const char*>(std::memchr(m_p, marker[0], m_end - m_p)))) {
            if (At(marker)) {
                m_p += length;
                return true;
            }
            ++m_p;
        }
        return false;
    }

    /// Whether every character reference in text that TinyXML decodes is "&#" and decimal
    /// digits or "&#x" and hexadecimal digits, then ";". TinyXML looks for the ";" as far
    /// as it must and reads only the digits just before it: any other form fails or
    /// jumps over whatever lies between, markup included.
    static bool ReferencesAreWhole(const char* begin, const char* end)
    {
        for (const char* p = begin; (p = static_cast<const char*>(std::memchr(p, '&', end - p)));) {
            if (++p == end || *p != '#')
                continue;
            const bool hex = ++p < end && *p == 'x';
            p += hex;
            while (p < end && (hex ? std::isxdigit(static_cast<unsigned char>(*p)) : (*p >= '0' && *p <= '9')))
                ++p;
            if (p == end || *p != ';')
                return false;
        }
        return true;
    }

    /// TinyXML's letters: ASCII letters and every byte above 126.
    static bool IsAlpha(unsigned char c) { return c >= 127 || IsAsciiLetter(c); }

    /// A name as TinyXML reads it.
    bool Name()
    {
        if (m_p == m_end || !(IsAlpha(*m_p) || *m_p == '_'))
            return false;
        for (++m_p; m_p < m_end; ++m_p) {
            const unsigned char c = *m_p;
            if (!(c >= 127 || IsAsciiAlphaNum(c) || c == '_' || c == '-' || c == '.' || c == ':'))
                break;
        }
        return m_p != m_end;
    }

    /// Attributes and the end of a start tag; empty tells whether it was "/>".
    bool Attributes(bool* empty)
    {
        for (int count = 0;; ++count) {
            SkipSpace();
            if (At("/>") || At(">")) {
                *empty = *m_p == '/';
                m_p += *empty ? 2 : 1;
                return true;
            }
            if (count == MAX_ATTRIBUTES || !Node() || !Attribute())
                return false;
        }
    }

    /// One attribute as TinyXML reads it: a name, '=' between optional blanks, then a
    /// value in quotes or, without them, up to a blank, '/' or '>'. References in the
    /// value never reach past its closing quote. Sets value to where the value's bytes
    /// begin and end.
    bool Attribute(std::pair<const char*, const char*>* value = nullptr)
    {
        if (!Name())
            return false;
        SkipSpace();
        if (!At("="))
            return false;
        ++m_p;
        SkipSpace();
        if (m_p == m_end)
            return false;
        if (*m_p == '"' || *m_p == '\'') {
            const char* close = static_cast<const char*>(std::memchr(m_p + 1, *m_p, m_end - m_p - 1));
            if (!close || close + 1 == m_end || !ReferencesAreWhole(m_p + 1, close))
                return false;
            if (value)
                *value = std::make_pair(m_p + 1, close);
            m_p = close + 1;
            return true;
        }
        const char* const begin = m_p;
        for (; m_p < m_end && !std::isspace(static_cast<unsigned char>(*m_p)) && *m_p != '/'
               && *m_p != '>';
             ++m_p) {
            if (*m_p == '"' || *m_p == '\'')
                return false;
        }
        if (value)
            *value = std::make_pair(begin, m_p);
        return m_p != m_end;
    }

    /// Anything that starts "<?xml" in any letter case, read as TinyXML reads a
    /// declaration: word by word up to a '>' between words, taking words that start
    /// with "version", "encoding" or "standalone" as attributes. Sets encoding to the
    /// bytes of the last encoding's value.
    bool Declaration(std::pair<const char*, const char*>* encoding)
    {
        m_p += 5;
        while (m_p < m_end) {
            if (*m_p == '>') {
                ++m_p;
                return true;
            }
            SkipSpace();
            if (m_p == m_end)
                break;
            if (AtIgnoringCase("encoding")) {
                if (!Attribute(encoding))
                    return false;
            } else if (AtIgnoringCase("version") || AtIgnoringCase("standalone")) {
                if (!Attribute())
                    return false;
            } else {
                while (m_p < m_end && *m_p != '>' && !std::isspace(static_cast<unsigned char>(*m_p)))
                    ++m_p;
            }
        }
        return false;
    }

    const char* m_p;
    const char* const m_end;
    std::size_t m_nodesLeft;
    bool m_utf8 = false;
};

/// Finds a value that TinyXML cut short: a reference that it decodes to character 0
/// (in a text or an attribute, not in CDATA or a comment) puts a zero byte into the
/// value, which then ends there for every reader.
class CutValueFinder : public TiXmlVisitor
{
public:
    bool VisitEnter(const TiXmlElement&, const TiXmlAttribute* attribute) override
    {
        for (; attribute && !m_found; attribute = attribute->Next())
            m_found = HasZero(attribute->ValueStr());
        return !m_found;
    }

    bool Visit(const TiXmlText& text) override
    {
        m_found = m_found || HasZero(text.ValueStr());
        return !m_found;
    }

    bool Found() const { return m_found; }

private:
    static bool HasZero(const std::string& value)
    {
        return std::memchr(value.data(), '\0', value.size()) != nullptr;
    }

    bool m_found = false;
};

} // namespace

void NeutraliseBrokenLeadBytes(char* text, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char c = text[i];
        const std::size_t length = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3
                                 : c >= 0xF0 && c <= 0xF4 ? 4 : 1;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char next = i + k < size ? text[i + k] : 0;
            if (next < 0x80 && !IsAsciiAlphaNum(next)) {
                text[i] = char(0x80);
                break;
            }
        }
    }
}

bool CheckPlanMarkup(const char* text, std::size_t size)
{
    return MarkupCheck(text, text + size).Run();
}

bool HasCutValue(const TiXmlDocument& xml)
{
    CutValueFinder finder;
    xml.Accept(&finder);
    return finder.Found();
}
