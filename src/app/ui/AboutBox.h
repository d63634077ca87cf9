#pragma once
// AboutBox: name, version, web address and the system information button.
#include <QDialog>

struct AppContext;

class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(AppContext &ctx, QWidget *parent);

public slots:
    void closeBox();
    void openSystemInfo();
};

// The first system information program found on the search path, or empty.
QString FindSystemInfoTool();
