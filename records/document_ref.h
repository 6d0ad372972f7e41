// DocumentRef: a document on disk that a port, a reporting point or a warning names.
#pragma once

#include <cstddef>
#include <string>

#include "navigation/time_value.h"
#include "records/field_visitor.h"

namespace keelmark {

class Archive;

class DocumentRef {
 public:
  // The issue date starts at the creation time, read from the process clock.
  DocumentRef();
  virtual ~DocumentRef() = default;
  DocumentRef(const DocumentRef&) = default;
  DocumentRef& operator=(const DocumentRef&) = default;

  // FilePath, Description, IssueDate, Author.
  virtual void Serialize(Archive& archive);

  bool operator==(const DocumentRef&) const = default;

  std::string Author;       // "Created by:"
  std::string Description;  // "Short description:"
  TimeValue IssueDate;      // "Date of Issue:"
  std::string FilePath;     // "Document file:"

  // Three empty texts and a time value.
  static constexpr std::size_t kMinimumStoredBytes = 3 + 4;
};

// The stored fields.
template <RecordOf<DocumentRef> Document, typename Visitor>
void VisitFields(Document& d, Visitor&& visit) {
  visit("FilePath", d.FilePath);
  visit("Description", d.Description);
  visit("IssueDate", d.IssueDate);
  visit("Author", d.Author);
}

}  // namespace keelmark
