#pragma once
// frmAbout: name, version, web address and the system information button.
#include <QDialog>

struct AppContext;

class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(AppContext &ctx, QWidget *parent);

public slots:
    void cmdOK_Click();
    void cmdSysInfo_Click();
};

// The first system information program found on the search path, or empty.
QString FindSystemInfoTool();
