// A panel with a caption bar whose button folds the panel up to that bar.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace vz {

class PanelWidget : public QFrame {
  public:
    PanelWidget(const QString& caption, int captionBarHeight, QWidget* parent);
    QToolButton* collapseButton() const { return collapseButton_; }
    void setCaption(const QString& caption) { caption_->setText(caption); }
    void showCollapsed(bool collapsed, int fullHeight);

  private:
    QLabel* caption_;
    QToolButton* collapseButton_;
    int captionBarHeight_;
};

}  // namespace vz
