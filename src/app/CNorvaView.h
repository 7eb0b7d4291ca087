#pragma once

#include <QWidget>

// The submatrix pane on the right of the splitter. It stays empty until the submatrix grid is
// built; the frame already sizes, shows and hides it.
class CNorvaView : public QWidget {
    Q_OBJECT
public:
    explicit CNorvaView(QWidget* parent = nullptr);
};
