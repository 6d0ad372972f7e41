// The "to" text of a message: anything that could end a header line early or be taken for a
// program's option is refused before a message is made.
#include <gtest/gtest.h>

#include "reports/mail_text.h"

namespace keelmark {
namespace {

struct AddressCase {
  const char* to;
  std::vector<std::string> addresses;  // empty: refused
};

TEST(MailAddressTest, ToTextsSplitAtCommasAndSemicolonsAndWhatIsNoAddressIsRefused) {
  const AddressCase cases[] = {
      {"rcc@amver.example", {"rcc@amver.example"}},
      {" a@b.example ; c@d.example,e@f.example ", {"a@b.example", "c@d.example", "e@f.example"}},
      {"a@b.example,,", {"a@b.example"}},
      {"", {}},
      {" ; ", {}},
      {"no-at-sign", {}},
      {"@b.example", {}},
      {"a@", {}},
      {"a@b.example\r\nBcc: all@x.example", {}},
      {"--attach=/etc/passwd@x.example", {}},
      {"Master <a@b.example>", {}},
  };
  for (const AddressCase& c : cases) {
    std::string error;
    const auto addresses = ParseMailAddresses(c.to, error);
    EXPECT_EQ(addresses.value_or(std::vector<std::string>{}), c.addresses) << c.to;
    EXPECT_EQ(addresses.has_value(), error.empty()) << c.to << ": " << error;
  }
}

}  // namespace
}  // namespace keelmark
