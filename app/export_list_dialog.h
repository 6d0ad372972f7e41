// CExportListDialog: "Export List...": the current list to a text file, a separated-values file
// or the text of a message.
#pragma once

#include <QDialog>
#include <optional>

class QButtonGroup;

namespace keelmark {

enum class ListDestination { TextFile = 0, SeparatedValues = 1, Email = 2 };

class CExportListDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CExportListDialog(QWidget* parent = nullptr);

  // "Export List..."
  static const char* const kCaption;

  [[nodiscard]] ListDestination Destination() const;
  // The destination chosen, nothing when cancelled.
  [[nodiscard]] static std::optional<ListDestination> Ask(QWidget* parent);

 private:
  QButtonGroup* group_;
};

}  // namespace keelmark
