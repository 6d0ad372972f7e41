#include "records/document_ref.h"

#include "navigation/clock.h"
#include "records/archive.h"

namespace keelmark {

DocumentRef::DocumentRef() : IssueDate(ProcessClock().Now()) {}

void DocumentRef::Serialize(Archive& archive) {
  archive.Io(FilePath);
  archive.Io(Description);
  archive.IoTime(IssueDate);
  archive.Io(Author);
}

}  // namespace keelmark
