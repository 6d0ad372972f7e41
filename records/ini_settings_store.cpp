#include "records/ini_settings_store.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "records/archive_file.h"

namespace keelmark {
namespace {

constexpr char kUpperHex[] = "0123456789ABCDEF";

// Control characters written as a backslash and a letter.
struct NamedEscape {
  char letter;
  char character;
};
constexpr NamedEscape kNamedEscapes[] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},
                                         {'r', '\r'}, {'t', '\t'}, {'v', '\v'}};

const NamedEscape* EscapeOfCharacter(char c) {
  for (const NamedEscape& e : kNamedEscapes) {
    if (e.character == c) return &e;
  }
  return nullptr;
}

const NamedEscape* EscapeOfLetter(char c) {
  for (const NamedEscape& e : kNamedEscapes) {
    if (e.letter == c) return &e;
  }
  return nullptr;
}

constexpr std::string_view kRootSection = "General";

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return c - 'A' + 10;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | cp >> 18);
    out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The next code point of UTF-8 text; a byte that starts no valid sequence stands for itself
// (as Latin-1), so that any bytes survive.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  const std::size_t extra = lead >= 0xF0 && lead < 0xF5   ? 3
                            : lead >= 0xE0 && lead < 0xF0 ? 2
                            : lead >= 0xC2 && lead < 0xE0 ? 1
                                                          : 0;
  if (extra == 0 || i + extra >= text.size()) {
    ++i;
    return lead;
  }
  char32_t cp = lead & (0x3F >> extra);
  for (std::size_t k = 1; k <= extra; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      ++i;
      return lead;
    }
    cp = cp << 6 | (byte(i + k) & 0x3F);
  }
  i += extra + 1;
  return cp;
}

// A byte as two lower-case hex digits, the way the desktop program writes a \x escape.
void AppendLowerHex(std::string& out, unsigned char ch, bool bothDigits) {
  constexpr char kLowerHex[] = "0123456789abcdef";
  if (bothDigits || ch >= 0x10) out += kLowerHex[ch >> 4];
  out += kLowerHex[ch & 0xF];
}

void AppendPercentUnit(std::string& out, unsigned unit) {
  out += "%U";
  for (int shift = 12; shift >= 0; shift -= 4) out += kUpperHex[unit >> shift & 0xF];
}

// One element of a value after its escapes are undone: the '@' forms of the desktop
// program's format. Texts that it would read as other types read as the empty text.
std::string ElementText(std::string text) {
  if (text.empty() || text.front() != '@') return text;
  if (text.back() == ')') {
    for (const std::string_view prefix : {"@ByteArray(", "@String("}) {
      if (text.rfind(prefix, 0) == 0) {
        return text.substr(prefix.size(), text.size() - prefix.size() - 1);
      }
    }
    for (const std::string_view prefix :
         {"@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point("}) {
      if (text.rfind(prefix, 0) == 0) return {};
    }
    if (text == "@Invalid()") return {};
  }
  if (text.size() >= 2 && text[1] == '@') return text.substr(1);
  return text;
}

}  // namespace

IniSettingsStore::IniSettingsStore(std::string path) : path_(std::move(path)) {
  std::error_code ec;
  if (!std::filesystem::exists(path_, ec)) return;
  const auto bytes = ReadWholeFile(path_);
  if (!bytes) {
    loadError_ = "cannot read " + path_;
    return;
  }
  Parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

IniSettingsStore::~IniSettingsStore() { (void)Sync(); }

std::optional<std::string> IniSettingsStore::Lookup(std::string_view section,
                                                    std::string_view key) const {
  const auto raw = raw_.Lookup(section, key);
  if (!raw) return std::nullopt;
  return UnescapeValue(*raw);
}

void IniSettingsStore::Put(std::string_view section, std::string_view key,
                           const std::string& text) {
  raw_.Put(section, key, EscapeValue(text));
  dirty_ = true;
}

bool IniSettingsStore::Sync(std::string* error) {
  if (!loadError_.empty()) {
    if (error) *error = loadError_ + "; not writing over it";
    return false;
  }
  if (!dirty_) return true;
  if (!WriteFileAtomically(path_, Format(), error)) return false;
  dirty_ = false;
  return true;
}

std::string IniSettingsStore::EscapeValue(const std::string& text) {
  // A text holding a NUL character is marked as a text, as one starting with '@' is.
  const std::string s = text.find('\0') != std::string::npos   ? "@String(" + text + ")"
                        : !text.empty() && text.front() == '@' ? "@" + text
                                                               : text;
  std::string out;
  bool needsQuotes = false;
  bool escapeNextIfHexDigit = false;
  for (const char c : s) {
    const auto ch = static_cast<unsigned char>(c);
    if (c == ';' || c == ',' || c == '=') needsQuotes = true;
    if (escapeNextIfHexDigit && IsHexDigit(c)) {
      // Keeps the digit from joining the \x escape before it.
      out += "\\x";
      AppendLowerHex(out, ch, true);
      continue;
    }
    escapeNextIfHexDigit = false;
    if (const NamedEscape* named = EscapeOfCharacter(c)) {
      out += '\\';
      out += named->letter;
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\0') {
      out += "\\0";
      escapeNextIfHexDigit = true;
    } else if (ch <= 0x1F) {
      out += "\\x";
      AppendLowerHex(out, ch, false);
      escapeNextIfHexDigit = true;
    } else {
      out += c;
    }
  }
  if (needsQuotes || (!out.empty() && (out.front() == ' ' || out.back() == ' '))) {
    out = '"' + out + '"';
  }
  return out;
}

std::string IniSettingsStore::UnescapeValue(std::string_view raw) {
  std::vector<std::string> elements;
  std::string current;
  bool isList = false;
  bool inQuotes = false;
  bool currentQuoted = false;
  std::size_t chopLimit = 0;  // trailing spaces before this point are kept
  std::size_t i = 0;
  const auto skipSpaces = [&] {
    while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t')) ++i;
    chopLimit = current.size();
  };
  const auto chopTrailingSpaces = [&] {
    while (current.size() > chopLimit && (current.back() == ' ' || current.back() == '\t')) {
      current.pop_back();
    }
  };
  skipSpaces();
  while (i < raw.size()) {
    const char c = raw[i];
    if (c == '\\') {
      ++i;
      if (i >= raw.size()) break;
      const char e = raw[i++];
      if (const NamedEscape* named = EscapeOfLetter(e)) {
        current += named->character;
      } else if (e == '"' || e == '?' || e == '\'' || e == '\\') {
        current += e;
      } else if (e == 'x' || (e >= '0' && e <= '7')) {
        // A character code in hex or octal; a \x without a hex digit stands for nothing.
        const bool hex = e == 'x';
        if (!hex) --i;
        const auto isDigit = [hex](char d) { return hex ? IsHexDigit(d) : d >= '0' && d <= '7'; };
        if (i < raw.size() && isDigit(raw[i])) {
          char32_t value = 0;
          while (i < raw.size() && isDigit(raw[i])) {
            value = (value * (hex ? 16 : 8) + static_cast<char32_t>(HexValue(raw[i++]))) & 0xFFFF;
          }
          AppendUtf8(current, value);
        }
      } else if (e == '\n' || e == '\r') {
        // A line continuation: the line break and its partner are skipped.
        if (i < raw.size() && (raw[i] == '\n' || raw[i] == '\r') && raw[i] != e) ++i;
      }
      // Any other escaped character is dropped.
      chopLimit = current.size();
    } else if (c == '"') {
      ++i;
      currentQuoted = true;
      inQuotes = !inQuotes;
      if (!inQuotes) skipSpaces();
    } else if (c == ',' && !inQuotes) {
      if (!currentQuoted) chopTrailingSpaces();
      isList = true;
      elements.push_back(std::move(current));
      current.clear();
      currentQuoted = false;
      ++i;
      skipSpaces();
    } else {
      current += c;
      ++i;
    }
  }
  if (!currentQuoted) chopTrailingSpaces();
  if (!isList) return ElementText(std::move(current));
  elements.push_back(std::move(current));
  std::string joined;
  for (std::size_t k = 0; k < elements.size(); ++k) {
    if (k > 0) joined += ',';
    joined += ElementText(std::move(elements[k]));
  }
  return joined;
}

std::string IniSettingsStore::EscapeKey(std::string_view name) {
  std::string out;
  for (std::size_t i = 0; i < name.size();) {
    const char32_t cp = NextCodePoint(name, i);
    if (cp == '/') {
      out += '\\';
    } else if ((cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z') || (cp >= '0' && cp <= '9') ||
               cp == '_' || cp == '-' || cp == '.') {
      out += static_cast<char>(cp);
    } else if (cp <= 0xFF) {
      out += '%';
      out += kUpperHex[cp >> 4];
      out += kUpperHex[cp & 0xF];
    } else if (cp <= 0xFFFF) {
      AppendPercentUnit(out, static_cast<unsigned>(cp));
    } else {
      const char32_t v = cp - 0x10000;
      AppendPercentUnit(out, static_cast<unsigned>(0xD800 + (v >> 10)));
      AppendPercentUnit(out, static_cast<unsigned>(0xDC00 + (v & 0x3FF)));
    }
  }
  return out;
}

std::string IniSettingsStore::UnescapeKey(std::string_view escaped) {
  std::string out;
  char32_t highSurrogate = 0;
  std::size_t i = 0;
  while (i < escaped.size()) {
    const char c = escaped[i];
    const std::size_t digitsAt = i + 1 < escaped.size() && escaped[i + 1] == 'U' ? i + 2 : i + 1;
    const std::size_t digits = digitsAt == i + 2 ? 4 : 2;
    bool decoded = false;
    if (c == '%' && digitsAt + digits <= escaped.size()) {
      char32_t unit = 0;
      decoded = true;
      for (std::size_t k = digitsAt; k < digitsAt + digits; ++k) {
        if (!IsHexDigit(escaped[k]))
          decoded = false;
        else
          unit = unit << 4 | static_cast<char32_t>(HexValue(escaped[k]));
      }
      if (decoded) {
        i = digitsAt + digits;
        if (unit >= 0xD800 && unit < 0xDC00) {
          highSurrogate = unit;
          continue;
        }
        if (unit >= 0xDC00 && unit < 0xE000 && highSurrogate != 0) {
          unit = 0x10000 + ((highSurrogate - 0xD800) << 10) + (unit - 0xDC00);
        }
        AppendUtf8(out, unit);
      }
    }
    highSurrogate = 0;
    if (decoded) continue;
    out += c == '\\' ? '/' : c;
    ++i;
  }
  return out;
}

namespace {

// Whether the text ends in a backslash that is not itself escaped.
bool EndsWithLoneBackslash(std::string_view text) {
  std::size_t count = 0;
  while (count < text.size() && text[text.size() - 1 - count] == '\\') ++count;
  return count % 2 == 1;
}

}  // namespace

// A key as it reads back once written: some keys of a damaged or hand-made file (bytes that
// are no UTF-8) read back as other bytes, which would reorder the keys at every store.
std::string IniSettingsStore::KeyAsStored(std::string_view escaped) {
  return UnescapeKey(EscapeKey(UnescapeKey(escaped)));
}

void IniSettingsStore::Parse(std::string_view data) {
  if (data.substr(0, 3) == "\xEF\xBB\xBF") data.remove_prefix(3);
  std::string section;
  std::size_t pos = 0;
  while (pos < data.size()) {
    // One logical line: up to a line break or ';' outside quotes. A backslash in the value
    // escapes the next character, so an escaped line break continues the line.
    std::size_t lineStart = pos;
    while (lineStart < data.size() && IsSpace(data[lineStart])) ++lineStart;
    std::size_t i = lineStart;
    std::size_t equalsPos = std::string_view::npos;
    bool inQuotes = false;
    while (i < data.size()) {
      const char c = data[i++];
      if (c == '=') {
        if (!inQuotes && equalsPos == std::string_view::npos) equalsPos = i - 1;
      } else if (c == '\n' || c == '\r') {
        if (!inQuotes) {
          --i;
          break;
        }
      } else if (c == '\\') {
        // In a key a backslash is the group separator ('/' written out), not an escape.
        if (equalsPos != std::string_view::npos && i < data.size()) {
          const char next = data[i++];
          if (i < data.size() &&
              ((next == '\n' && data[i] == '\r') || (next == '\r' && data[i] == '\n'))) {
            ++i;
          }
        }
      } else if (c == '"') {
        inQuotes = !inQuotes;
      } else if (c == ';') {
        if (i == lineStart + 1) {
          // A comment line.
          while (i < data.size() && data[i] != '\n' && data[i] != '\r') ++i;
          while (i < data.size() && IsSpace(data[i])) ++i;
          lineStart = i;
        } else if (!inQuotes) {
          --i;
          break;
        }
      }
    }
    if (inQuotes) {
      // A quote never closed would take every line after it into this value: only this line
      // is damaged, so it is passed over and the lines after it read as they stand.
      i = lineStart;
      while (i < data.size() && data[i] != '\n' && data[i] != '\r') ++i;
      pos = i;
      continue;
    }
    // A ';' that ended the line is at lineStart next round, where it reads as a comment.
    pos = i;
    if (i <= lineStart) continue;
    const std::string_view line = data.substr(lineStart, i - lineStart);
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      const std::string_view name =
          Trimmed(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
      if (EqualsIgnoringCase(name, kRootSection)) {
        section.clear();
      } else if (name.size() == kRootSection.size() + 1 && name.front() == '%' &&
                 EqualsIgnoringCase(name.substr(1), kRootSection)) {
        section = std::string(name.substr(1));
      } else {
        section = KeyAsStored(name);
      }
      continue;
    }
    if (equalsPos == std::string_view::npos) continue;
    const std::string key = KeyAsStored(Trimmed(data.substr(lineStart, equalsPos - lineStart)));
    if (key.empty()) continue;
    std::string_view raw = data.substr(equalsPos + 1, i - equalsPos - 1);
    // An escaped line break that ends the value continues it with nothing, and a backslash at
    // the very end escapes nothing: neither is the value's, and kept they would join the next
    // line once the file is written again.
    if (i == data.size() && EndsWithLoneBackslash(raw)) raw.remove_suffix(1);
    for (;;) {
      std::string_view kept = raw;
      while (!kept.empty() && (kept.back() == '\n' || kept.back() == '\r')) kept.remove_suffix(1);
      if (kept.size() == raw.size() || !EndsWithLoneBackslash(kept)) break;
      raw = kept.substr(0, kept.size() - 1);
    }
    raw_.Put(section, key, std::string(raw));
  }
}

std::string IniSettingsStore::Format() const {
  std::string out;
  bool first = true;
  for (const auto& [section, keys] : raw_.Content()) {
    if (keys.empty()) continue;
    if (!first) out += '\n';
    first = false;
    std::string name = EscapeKey(section);
    if (name.empty()) {
      name = kRootSection;
    } else if (EqualsIgnoringCase(name, kRootSection)) {
      name.insert(0, "%");
    }
    out += '[' + name + "]\n";
    for (const auto& [key, raw] : keys) out += EscapeKey(key) + '=' + raw + '\n';
  }
  return out;
}

}  // namespace keelmark
