#include "app/page_documents.h"

#include <memory>

#include <QEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStyle>

#include "app/document_dialog.h"
#include "app/list_buttons.h"
#include "platform/qt_text.h"
#include "records/document_list.h"

namespace keelmark {

CPagePortDocuments::CPagePortDocuments(DocumentList& documents, Prompter& prompter, QWidget* parent)
    : PropertyPage("Documents", parent),
      documents_(documents),
      prompter_(prompter),
      list_(new QListWidget(this)) {
  list_->setViewMode(QListView::IconMode);
  list_->setIconSize(QSize(32, 32));
  list_->setResizeMode(QListView::Adjust);
  list_->setMovement(QListView::Static);
  list_->setWordWrap(true);
  list_->setGridSize(QSize(110, 72));
  list_->setAccessibleName("Documents");
  list_->viewport()->installEventFilter(this);
  Column()->addWidget(list_, 1);
  auto* buttons = new QHBoxLayout;
  AddButtons(this, buttons,
             {{"Insert", [this] { Insert(); }}, {"Edit", [this] { Edit(); }}, {"Remove", [this] {
                                                                                 Remove();
                                                                               }}});
  buttons->addStretch(1);
  Column()->addLayout(buttons);
  AddText("Double click on document in list to open this file !");
}

void CPagePortDocuments::ShowFigures() {
  list_->clear();
  const QIcon icon = style()->standardIcon(QStyle::SP_FileIcon);
  for (const auto& document : documents_) {
    list_->addItem(new QListWidgetItem(icon, ToQString(document->Description)));
  }
}

bool CPagePortDocuments::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    const QListWidgetItem* item =
        list_->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint());
    // A double click beside every document selects none.
    OpenDocumentFile(item ? documents_.GetAt(list_->row(item))->FilePath : std::string(),
                     prompter_);
    return true;
  }
  return PropertyPage::eventFilter(watched, event);
}

void CPagePortDocuments::Insert() {
  auto document = std::make_unique<DocumentRef>();
  document->IssueDate = 0;  // a new entry starts at the time value 0
  if (!EditDocument(this, prompter_, *document)) return;
  documents_.Add(std::move(document));
  ShowFigures();
}

void CPagePortDocuments::Edit() {
  const std::optional<int> row = SelectedRow(*list_, prompter_);
  if (!row) return;
  if (EditDocument(this, prompter_, *documents_.GetAt(*row))) ShowFigures();
}

void CPagePortDocuments::Remove() {
  const std::optional<int> row = SelectedRow(*list_, prompter_);
  if (!row) return;
  const DocumentRef* document = documents_.GetAt(*row);
  if (!prompter_.AskYesNo("Remove " + document->Description + "\n Are you sure?",
                          MessageIcon::Question)) {
    return;
  }
  documents_.Remove(document);
  ShowFigures();
}

CPagePortNote::CPagePortNote(std::string& note, QWidget* parent) : PropertyPage("Notes", parent) {
  Column()->addWidget(BindNote(note, "Notes"));
}

}  // namespace keelmark
