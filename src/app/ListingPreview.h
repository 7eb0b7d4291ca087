#pragma once

#include <QAbstractScrollArea>
#include <QDialog>
#include <QMargins>

#include "ListingPages.h"

class QPrinter;

// The pages of a listing one below the other, fitted to the width. Only the pages in view
// are drawn, so a listing of thousands of pages opens as fast as one of a single page.
class ListingPageView : public QAbstractScrollArea {
public:
    ListingPageView(const ListingPages& pages, QPrinter& printer, QWidget* parent = nullptr);

    // The printer's paper or margins changed: lay the pages out again.
    void relayout();
    const ListingPages::Geometry& geometry() const { return m_geometry; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    double scale() const;
    int pagePitch() const;
    void updateScrollBar();

    const ListingPages& m_pages;
    QPrinter& m_printer;
    ListingPages::Geometry m_geometry;
    QMargins m_margins;  // around the printable area, in its pixels
};

// The built-in viewer's window: the page view with Print (the printer dialog, then every
// page to the chosen printer or PDF file) and Close.
class ListingPreview : public QDialog {
public:
    ListingPreview(const ListingPages& pages, QPrinter& printer, const QString& title,
                   QWidget* parent = nullptr);

    ListingPageView* pageView() const { return m_view; }

private:
    void print();

    const ListingPages& m_pages;
    QPrinter& m_printer;
    ListingPageView* m_view;
};
