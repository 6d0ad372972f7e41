#include "reports/mail_text.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "navigation/calendar.h"
#include "navigation/text_format.h"

namespace keelmark {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::size_t kLineLimit = 76;
// Bytes of UTF-8 per encoded word: "=?UTF-8?B?" + 52 characters of base64 + "?=" keeps even the
// first word, after "Subject: ", inside the line limit.
constexpr std::size_t kEncodedWordBytes = 39;
// Percent-encoded characters per piece of a long or non-ASCII file name.
constexpr std::size_t kNamePieceLength = 48;
constexpr const char* kBase64Alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsPrintableAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7f; });
}

// Control characters (line breaks above all) would end a header line early: blanks instead.
std::string HeaderText(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  }
  return out;
}

std::string Hex(unsigned char byte) { return Printf("%02X", byte); }

// The body's lines, whatever line ends it was written with.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size() || lines.empty()) lines.push_back(text.substr(start));
  return lines;
}

// One character of a quoted-printable line: blanks ending a line are lost on the way, and a
// dot opening one means "end" to SMTP, so both are written as codes.
std::string QuotedPiece(unsigned char c, std::size_t column, bool last) {
  const bool literal = (c >= 33 && c <= 126 && c != '=' && !(c == '.' && column == 0)) ||
                       ((c == ' ' || c == '\t') && !last);
  return literal ? std::string(1, static_cast<char>(c)) : "=" + Hex(c);
}

std::string QuotedPrintable(std::string_view text) {
  std::string out;
  for (const std::string_view line : Lines(text)) {
    std::size_t column = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
      const auto c = static_cast<unsigned char>(line[i]);
      const bool last = i + 1 == line.size();
      std::string piece = QuotedPiece(c, column, last);
      // Room for the "=" of a soft line break, except after the line's last character.
      if (column + piece.size() > (last ? kLineLimit : kLineLimit - 1)) {
        out += "=";
        out += kCrLf;
        column = 0;
        piece = QuotedPiece(c, column, last);
      }
      out += piece;
      column += piece.size();
    }
    out += kCrLf;
  }
  return out;
}

std::string Base64Lines(std::string_view bytes) {
  const std::string all = Base64(bytes);
  std::string out;
  for (std::size_t i = 0; i < all.size(); i += kLineLimit) {
    out += all.substr(i, kLineLimit);
    out += kCrLf;
  }
  return out;
}

// The subject as it is, or as UTF-8 encoded words one to a line when it is not plain ASCII or
// too long for one line; a word never splits a character.
std::string SubjectLine(std::string_view subject) {
  const std::string text = HeaderText(subject);
  const std::string plain = "Subject: " + text;
  if (IsPrintableAscii(text) && plain.size() <= kLineLimit) return plain + std::string(kCrLf);
  std::string out = "Subject:";
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = std::min(text.size(), start + kEncodedWordBytes);
    while (end > start + 1 && end < text.size() && (text[end] & 0xC0) == 0x80) --end;
    if (start > 0) out += kCrLf;
    out += " =?UTF-8?B?" + Base64(std::string_view(text).substr(start, end - start)) + "?=";
    start = end;
  }
  return out + std::string(kCrLf);
}

// `; NAME="value"` for a short plain name, otherwise the name percent-encoded as UTF-8 in as
// many numbered pieces as the line limit needs.
std::string NameParameter(const char* parameter, std::string_view name) {
  const std::string text = HeaderText(name);
  const bool plain = IsPrintableAscii(text) && text.size() <= kNamePieceLength &&
                     text.find_first_of("\"\\") == std::string::npos;
  if (plain) return Printf(";\r\n %s=\"%s\"", parameter, text.c_str());
  std::vector<std::string> pieces(1);
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    const bool literal = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                         (c >= 'a' && c <= 'z') ||
                         std::string_view("!#$&+-.^_`|~").find(ch) != std::string_view::npos;
    const std::string piece = literal ? std::string(1, ch) : "%" + Hex(c);
    if (pieces.back().size() + piece.size() > kNamePieceLength) pieces.emplace_back();
    pieces.back() += piece;
  }
  std::string out;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const std::string number = pieces.size() == 1 ? "" : Printf("*%zu", i);
    out += Printf(";\r\n %s%s*=%s%s", parameter, number.c_str(), i == 0 ? "UTF-8''" : "",
                  pieces[i].c_str());
  }
  return out;
}

// A boundary that no base64 or quoted-printable line can contain ("=_" appears in neither).
std::string Boundary(std::string_view messageId) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : messageId) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
  return Printf("=_keelmark_%016llx", static_cast<unsigned long long>(hash));
}

int Base64Value(char c) {
  const char* at = std::char_traits<char>::find(kBase64Alphabet, 64, c);
  return at ? static_cast<int>(at - kBase64Alphabet) : -1;
}

std::string FromBase64(std::string_view text) {
  std::string out;
  std::uint32_t bits = 0;
  int count = 0;
  for (const char c : text) {
    const int value = Base64Value(c);
    if (value < 0) continue;
    bits = (bits << 6) | static_cast<std::uint32_t>(value);
    count += 6;
    if (count >= 8) {
      count -= 8;
      out.push_back(static_cast<char>((bits >> count) & 0xFF));
    }
  }
  return out;
}

std::string FromQEncoding(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '_') {
      out.push_back(' ');
    } else if (text[i] == '=' && i + 2 < text.size()) {
      out.push_back(static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16)));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

// A header's text with its encoded words decoded; the blanks between two of them vanish.
std::string DecodedWords(std::string_view text) {
  std::string out;
  std::string pendingBlanks;
  bool afterWord = false;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t open = text.find("=?", i);
    if (open == std::string_view::npos) break;
    const std::size_t charsetEnd = text.find('?', open + 2);
    const std::size_t encodingEnd =
        charsetEnd == std::string_view::npos ? charsetEnd : text.find('?', charsetEnd + 1);
    const std::size_t close =
        encodingEnd == std::string_view::npos ? encodingEnd : text.find("?=", encodingEnd + 1);
    if (close == std::string_view::npos) break;
    const std::string_view between = text.substr(i, open - i);
    if (!(afterWord && Trimmed(between).empty())) out += between;
    const std::string_view encoding = text.substr(charsetEnd + 1, encodingEnd - charsetEnd - 1);
    const std::string_view payload = text.substr(encodingEnd + 1, close - encodingEnd - 1);
    try {
      if (encoding == "B" || encoding == "b") {
        out += FromBase64(payload);
      } else if (encoding == "Q" || encoding == "q") {
        out += FromQEncoding(payload);
      } else {
        out += text.substr(open, close + 2 - open);
      }
    } catch (const std::exception&) {
      out += text.substr(open, close + 2 - open);  // not hexadecimal: shown as it stands
    }
    afterWord = true;
    i = close + 2;
  }
  out += text.substr(std::min(i, text.size()));
  return out;
}

std::vector<std::string> AddressesIn(std::string_view text) {
  std::vector<std::string> addresses;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(',', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view one = Trimmed(text.substr(start, end - start));
    const std::size_t open = one.rfind('<');
    const std::size_t close = one.rfind('>');
    if (open != std::string_view::npos && close != std::string_view::npos && close > open) {
      one = one.substr(open + 1, close - open - 1);
    }
    if (!one.empty()) addresses.emplace_back(one);
    start = end + 1;
  }
  return addresses;
}

}  // namespace

bool IsMailAddress(std::string_view text) {
  const std::size_t at = text.rfind('@');
  if (at == std::string_view::npos || at == 0 || at + 1 == text.size()) return false;
  if (text.front() == '-' || text.size() > 254) return false;
  return std::all_of(text.begin(), text.end(), [](char c) {
    return c > 0x20 && c < 0x7f && std::string_view("\"<>(),;:[]\\").find(c) == std::string::npos;
  });
}

std::optional<std::vector<std::string>> ParseMailAddresses(std::string_view text,
                                                           std::string& error) {
  std::vector<std::string> addresses;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find_first_of(",;", start), text.size());
    const std::string_view one = Trimmed(text.substr(start, end - start));
    if (!one.empty()) {
      if (!IsMailAddress(one)) {
        error = "'" + HeaderText(one) + "' is not a mail address";
        return std::nullopt;
      }
      addresses.emplace_back(one);
    }
    start = end + 1;
  }
  if (addresses.empty()) {
    error = "no mail address given";
    return std::nullopt;
  }
  return addresses;
}

std::string Base64(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t group = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      group = (group << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0U);
    }
    for (std::size_t k = 0; k < 4; ++k) {
      out.push_back(k <= n ? kBase64Alphabet[(group >> (18 - 6 * k)) & 0x3F] : '=');
    }
  }
  return out;
}

std::string ComposeMailText(const MailMessage& message, const MailHeader& header,
                            const std::optional<MailAttachment>& attachment) {
  std::string error;
  const std::vector<std::string> to =
      ParseMailAddresses(message.to, error).value_or(std::vector<std::string>{});
  std::string out;
  if (!header.sender.empty()) out += "From: " + HeaderText(header.sender) + std::string(kCrLf);
  out += "To:";
  for (std::size_t i = 0; i < to.size(); ++i) {
    out += (i == 0 ? " " : ",\r\n ") + to[i];
  }
  out += kCrLf;
  out += SubjectLine(message.subject);
  out += FormatUtc(header.date, "Date: %a, %d %b %Y %H:%M:%S +0000\r\n");
  out += "Message-ID: <" + HeaderText(header.messageId) + ">\r\n";
  out += "MIME-Version: 1.0\r\n";
  const std::string textPart =
      "Content-Type: text/plain; charset=UTF-8\r\n"
      "Content-Transfer-Encoding: quoted-printable\r\n\r\n" +
      QuotedPrintable(message.body);
  if (!attachment) return out + textPart;
  const std::string boundary = Boundary(header.messageId);
  out += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n\r\n";
  // The line end before a boundary belongs to the boundary: the text's own last one stays.
  out += "--" + boundary + std::string(kCrLf) + textPart + std::string(kCrLf);
  out += "--" + boundary + std::string(kCrLf);
  out += "Content-Type: application/octet-stream" + NameParameter("name", attachment->name) +
         "\r\nContent-Transfer-Encoding: base64\r\n";
  out +=
      "Content-Disposition: attachment" + NameParameter("filename", attachment->name) + "\r\n\r\n";
  out += Base64Lines(attachment->bytes);
  out += "--" + boundary + "--\r\n";
  return out;
}

MailSummary SummarizeMailText(std::string_view text) {
  MailSummary summary;
  // The header lines up to the first empty one, each continuation joined to its line.
  std::vector<std::string> fields;
  for (const std::string_view line : Lines(text)) {
    if (line.empty()) break;
    if ((line.front() == ' ' || line.front() == '\t') && !fields.empty()) {
      fields.back() += line;
    } else {
      fields.emplace_back(line);
    }
  }
  for (const std::string& field : fields) {
    const std::size_t colon = field.find(':');
    if (colon == std::string::npos) continue;
    std::string name = field.substr(0, colon);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const std::string_view value = Trimmed(std::string_view(field).substr(colon + 1));
    if (name == "from") {
      const std::vector<std::string> from = AddressesIn(value);
      if (!from.empty()) summary.from = from.front();
    } else if (name == "to") {
      summary.to = AddressesIn(value);
    } else if (name == "subject") {
      summary.subject = DecodedWords(value);
    } else if (name == "date") {
      summary.date = value;
    }
  }
  return summary;
}

}  // namespace keelmark
