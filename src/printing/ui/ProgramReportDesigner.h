#pragma once
#include "printing/QtReportPrinter.h"
#include "printing/TReportDesignerDialog.h"
#include "printing/ui/QtReportCursor.h"
#include "printing/ui/TFormPrvw.h"

// The windowed program's report designer component (the main window's ReportDesignerDialog1):
// prints through QPrinter (QtReportPrinter), previews in a child window of the main window, and
// shows the hourglass on the screen while a report starts. The composition root owns one and
// hands designer() to every report start. Reports started with preview go to the preview window
// TFormPrvw.
class ProgramReportDesigner {
public:
    ProgramReportDesigner() : m_designer(&m_printer, &m_preview, &m_cursor) {}
    ProgramReportDesigner(const ProgramReportDesigner&) = delete;
    ProgramReportDesigner& operator=(const ProgramReportDesigner&) = delete;

    TReportDesignerDialog& designer() { return m_designer; }
    // Another preview (not owned; must outlive this object); null: the preview window again.
    void setPreviewer(ReportPreviewer* previewer) { m_designer.setPreviewer(previewer ? previewer : &m_preview); }

private:
    QtReportPrinter m_printer;
    TFormPrvwPreviewer m_preview;
    QtReportCursor m_cursor;
    TReportDesignerDialog m_designer;
};
