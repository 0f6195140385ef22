#pragma once
// The player window's status bar: four fields of fixed widths, left to right:
// the memory line, the memory bar, the title and the time. The fields are
// placed by hand so that they never widen the window; what does not fit is
// cut off at the window's edge.

#include <QStatusBar>

class QLabel;
class QProgressBar;

namespace tonlira {

inline constexpr int statusFieldWidths[] = {230, 50, 300, 100};
inline constexpr int statusBarFixedHeight = 22;

class StatusBarWidget final : public QStatusBar {
    Q_OBJECT
public:
    enum Field { MemoryLine = 0, MemoryBar = 1, Title = 2, Time = 3 };

    explicit StatusBarWidget(QWidget* parent = nullptr);

    void setFieldText(Field field, const QString& text);
    QString fieldText(Field field) const;
    void setMemoryLoad(int percent);
    int memoryLoad() const;

private:
    QLabel* memoryLine_;
    QProgressBar* memoryBar_;
    QLabel* title_;
    QLabel* time_;
};

}  // namespace tonlira
