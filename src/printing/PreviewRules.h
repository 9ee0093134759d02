#pragma once
#include <QString>
#include <QtCore/qnamespace.h>

#include <optional>

// The rules of the preview window TFormPrvw that need no window: the status bar's panels, the
// keys, the zoom box, the texts of the report group box and the caption.

// Panel 0 shows the progress of a report being made. A notification p is shown as p + "%"
// when p is at least 5 above the last value shown (which starts at 0); at 0 and at 100 the panel
// is emptied. A panel that is not empty means that pages are still being made.
class PreviewProgress {
public:
    void reset() { m_lastShown = 0; }
    int lastShown() const { return m_lastShown; }
    // The panel's new text, or nothing when it stays as it is.
    std::optional<QString> notify(int percent);

private:
    int m_lastShown = 0;
};

// Panel 1: "Page 2 of 7".
QString PagePositionText(int current, int count);

// What a key does in the window (it sees keys before its controls): Page Up the previous page,
// with exactly Ctrl held the first; Page Down the next, with exactly Ctrl the last; Home the
// first; End the last. Other keys are not the window's.
enum class PreviewPageCommand { None, First, Prior, Next, Last };
PreviewPageCommand PreviewKeyCommand(int key, Qt::KeyboardModifiers modifiers);

// The zoom box "ComboBox1", on every change of its text: a text that is not a whole number loses
// its last character, and when the rest is a whole number above 0 the view zooms to it ("150%"
// zooms to 150 %, "150" changes nothing); "Širina strani" zooms to the page width and presses
// ZoomToWidth, "Cela stran" zooms to the whole page and presses ZoomFit; "100%" presses Zoom100.
struct ZoomBoxChange {
    std::optional<int> percent;
    bool toWidth = false;
    bool wholePage = false;
    bool press100 = false;
};
ZoomBoxChange ZoomBoxTextChanged(const QString& text);
// Enter in the zoom box: "%" appended to a text that has none.
QString ZoomBoxEnter(const QString& text);
inline const QString ZoomWidthText = QStringLiteral("Širina strani");
inline const QString ZoomPageText = QStringLiteral("Cela stran");

// The report group box shows code + " - " + name; its first three characters are the code.
QString ReportGroupText(const QString& code, const QString& name);
QString ReportGroupCode(const QString& text);
// The window's caption: code + "-" + name.
QString PreviewCaption(const QString& code, const QString& name);

// The two queries of the report group list tbRepGroup: the one report shown (at setup), and
// every variant of its form name (when the list drops down, and after a deletion).
QString ReportGroupByCodeSql(const QString& code);
QString ReportGroupByFormNameSql(const QString& formName);
