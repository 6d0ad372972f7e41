// CPagePortDocuments and CPagePortNote: the "Documents" and "Notes" pages of ports and
// reporting points.
#pragma once

#include <string>

#include "app/property_sheet.h"

class QListWidget;

namespace keelmark {

class DocumentList;

// The attached documents as a large-icon list with Insert, Edit and Remove; a double click
// opens a document with the desktop.
class CPagePortDocuments : public PropertyPage {
  Q_OBJECT

 public:
  // Edits the documents of a sheet's working copy.
  CPagePortDocuments(DocumentList& documents, Prompter& prompter, QWidget* parent = nullptr);

  [[nodiscard]] QListWidget* List() const { return list_; }

 protected:
  void ShowFigures() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Insert();
  void Edit();
  void Remove();

  DocumentList& documents_;
  Prompter& prompter_;
  QListWidget* list_;
};

class CPagePortNote : public PropertyPage {
  Q_OBJECT

 public:
  explicit CPagePortNote(std::string& note, QWidget* parent = nullptr);
};

}  // namespace keelmark
