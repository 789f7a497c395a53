#pragma once

#include <optional>

#include "SmallDialog.h"

namespace option {

// The program a Quicklaunch button starts: one path entry and a browse
// button. OK hands back the entry's text.
class ProgramPathDialog : public SmallDialog {
  Q_OBJECT
 public:
  // A slot's program path holds at most this many bytes with its end mark.
  static constexpr int kMaxPathBytes = 500;

  explicit ProgramPathDialog(const QString& path, QWidget* parent = nullptr);

  static std::optional<QString> ask(const QString& path, QWidget* parent);
  // The system's file dialog for a program, starting in the user's desktop
  // folder: an executable file, or a desktop entry standing for its
  // program. Nothing when the user cancels or picks something else.
  static std::optional<QString> browse(QWidget* parent);

  QString path() const;
  skin::BitmapEdit* pathField() const { return path_; }
  skin::SkinButton* browseButton() const { return browse_; }

 private:
  skin::BitmapEdit* path_;
  skin::SkinButton* browse_;
};

}  // namespace option
