#include "app/document_dialog.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QFormLayout>
#include <QUrl>

#include "app/property_sheet.h"
#include "document/keelmark_document.h"
#include "platform/qt_text.h"
#include "records/document_ref.h"

namespace keelmark {

namespace {

constexpr const char* kNoDocumentSelected = "No document selected";
constexpr const char* kDocumentFilter = "Document (*.doc)|*.doc|All Files (*.*)|*.*||";
constexpr const char* kDocumentExtension = "doc";

class DocumentPage : public PropertyPage {
 public:
  DocumentPage(DocumentRef& document, Prompter& prompter) : PropertyPage("Document") {
    QFormLayout* form = AddForm();
    AddRow(form,
           "Date of Issue:", BindTime(document.IssueDate, TimeReading::Date, "Date of Issue"));
    TextRow(form, "Created by:", document.Author);
    TextRow(form, "Short description:", document.Description);
    PathRow(form, "Document file:", document.FilePath, {kDocumentFilter, kDocumentExtension, ""},
            prompter);
    Column()->addStretch(1);
  }
};

class DocumentDialog : public PropertySheet {
 public:
  DocumentDialog(QWidget* parent, Prompter& prompter, DocumentRef& document)
      : PropertySheet("Document", prompter, parent), document_(document) {
    AddPage(new DocumentPage(working_, prompter));
    HideTabs();
  }

 protected:
  void CopyIn() override { working_ = document_; }
  void CopyBack() override { document_ = working_; }

 private:
  DocumentRef& document_;
  DocumentRef working_;
};

struct ShipDocumentInfo {
  std::string Settings::*path;
  const char* notConfigured;
};

const ShipDocumentInfo& Info(ShipDocument which) {
  static const ShipDocumentInfo kDocuments[] = {
      {&Settings::standingOrders,
       "Standing orders not yet defined in options\nPlease check configuration"},
      {&Settings::depCheckList,
       "Departure Checklist not yet defined in options\nPlease check configuration"},
      {&Settings::arrCheckList,
       "Arrival checklist not yet defined in options\nPlease check configuration"},
  };
  return kDocuments[static_cast<int>(which)];
}

// Hands a path to the desktop; a relative path is taken from the program's folder, as a shell
// would take it.
void OpenWithDesktop(const std::string& path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(ToQString(path)).absoluteFilePath()));
}

}  // namespace

bool EditDocument(QWidget* parent, Prompter& prompter, DocumentRef& document) {
  DocumentDialog dialog(parent, prompter, document);
  return dialog.Run();
}

void OpenDocumentFile(const std::string& path, Prompter& prompter) {
  if (path.empty()) {
    prompter.Message(kNoDocumentSelected, MessageIcon::Stop);
    return;
  }
  OpenWithDesktop(path);
}

void OpenShipDocument(CKeelmarkRouteXPDoc& document, ShipDocument which) {
  const ShipDocumentInfo& info = Info(which);
  const std::string& path = document.GetSettings().*info.path;
  if (path.empty()) {
    document.GetPrompter().Message(info.notConfigured, MessageIcon::Stop);
    return;
  }
  OpenWithDesktop(path);
}

}  // namespace keelmark
