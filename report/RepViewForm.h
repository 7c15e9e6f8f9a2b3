#pragma once
// TRepView: shows the generated report and saves copies of it.

#include <QMainWindow>

class QTextBrowser;
class QToolButton;
class QStatusBar;

class TRepView : public QMainWindow {
    Q_OBJECT
  public:
    explicit TRepView(QWidget* parent = nullptr);

    QWidget* Panel1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QTextBrowser* WebBrowser = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    // Shows the file and remembers it as the report.
    void View(const std::string& path);
    const std::string& ReportPath() const { return reportPath_; }
    int SaveCounter() const { return saveCounter_; }

  public slots:
    void SpeedButton1Click();  // save a copy

  private:
    std::string reportPath_;
    int saveCounter_ = 0;
};
