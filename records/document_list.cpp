#include "records/document_list.h"

namespace keelmark {

void DocumentList::Serialize(Archive& archive) { SerializeRecords(archive); }

void DocumentList::SerializeFilePaths(Archive& archive) {
  constexpr std::size_t kEmptyPathBytes = 1;
  SerializeRecordsWith(archive, kEmptyPathBytes,
                       [](DocumentRef& document, Archive& a) { a.Io(document.FilePath); });
}

}  // namespace keelmark
