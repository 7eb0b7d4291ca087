#pragma once

#include <QToolBar>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The frame's search bar: the Search button, the search text and the "View Submatrix" check.
// It docks at the top or the bottom only.
class SearchBar : public QToolBar {
    Q_OBJECT
public:
    explicit SearchBar(QWidget* parent = nullptr);

    QPushButton* searchButton() const { return m_search; }
    QLineEdit* searchText() const { return m_text; }
    QCheckBox* viewSubmatrix() const { return m_viewSubmatrix; }

private:
    QPushButton* m_search;
    QLineEdit* m_text;
    QCheckBox* m_viewSubmatrix;
};
