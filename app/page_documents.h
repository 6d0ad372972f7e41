// CPagePortDocuments and CPagePortNote: the "Documents" and "Notes" pages of ports and
// reporting points.
#pragma once

#include <string>
#include <vector>

#include "app/property_sheet.h"
#include "records/document_ref.h"

class QListWidget;

namespace keelmark {

class DocumentList;

// The attached documents as a large-icon list with Insert, Edit and Remove; a double click
// opens a document with the desktop.
class CPagePortDocuments : public PropertyPage {
  Q_OBJECT

 public:
  explicit CPagePortDocuments(Prompter& prompter, QWidget* parent = nullptr);

  // The record's list into the page and back.
  void CopyFrom(const DocumentList& list);
  void CopyTo(DocumentList& list) const;

  [[nodiscard]] QListWidget* List() const { return list_; }

  std::vector<DocumentRef> documents;

 protected:
  void ShowFigures() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Insert();
  void Edit();
  void Remove();

  Prompter& prompter_;
  QListWidget* list_;
};

class CPagePortNote : public PropertyPage {
  Q_OBJECT

 public:
  explicit CPagePortNote(std::string& note, QWidget* parent = nullptr);
};

}  // namespace keelmark
