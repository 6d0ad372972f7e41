// DocumentList: the documents attached to a port or a reporting point.
#pragma once

#include "records/document_ref.h"
#include "records/record_list.h"

namespace keelmark {

class DocumentList : public RecordList<DocumentRef> {
 public:
  // The list shape with every document in full (a port's documents).
  void Serialize(Archive& archive);
  // The list shape with only each document's FilePath (a reporting point's documents); loaded
  // documents keep their other defaults, the issue date being the loading time.
  void SerializeFilePaths(Archive& archive);

 protected:
  [[nodiscard]] std::size_t MinimumRecordBytes() const override {
    return DocumentRef::kMinimumStoredBytes;
  }
};

}  // namespace keelmark
