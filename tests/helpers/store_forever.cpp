// Stores a large file over and over until it is killed: two contents in turn, each written the
// way every data file is stored. The kill test stops it at random moments and checks that the
// file is always one content or the other, whole.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "records/archive_file.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: store_forever FILE BYTES\n");
    return 2;
  }
  const std::size_t size = std::strtoull(argv[2], nullptr, 10);
  const std::string contents[] = {std::string(size, 'A'), std::string(size, 'B')};
  for (unsigned long round = 0;; ++round) {
    std::string error;
    if (!keelmark::WriteFileAtomically(argv[1], contents[round % 2], &error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
  }
}
