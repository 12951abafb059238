#include "render/RenderPages.h"

#include "render/CalibrationLoad.h"
#include "render/Catalogue.h"
#include "render/PagePreviews.h"
#include "render/PreviewView.h"
#include "render/Primitives.h"
#include "render/RowClassifier.h"
#include "platform/DialogService.h"
#include "platform/LineBreaker.h"
#include "platform/Pictures.h"
#include "store/Calibration.h"
#include "store/ErrorStream.h"
#include "store/Folders.h"

namespace {

constexpr std::string_view kPageTwoToFourPicture = "sw_str2_prw.bmp";

// The memo-line cursor: which memo the last memo row drew, and which of its lines.
struct MemoCursor {
    std::string memo;
    int line = -1;

    int advance(const std::string& name)
    {
        if (name != memo) {
            memo = name;
            line = 0;
        } else {
            ++line;
        }
        return line;
    }
};

class RowPainter {
public:
    RowPainter(const DrawContext& context, const RenderSource& form, PageCanvases& canvases,
               bool certificate)
        : context_(context)
        , form_(form)
        , canvases_(canvases)
        , certificate_(certificate)
    {
    }

    void draw(const CalibrationRecord& row)
    {
        const RowClass what = ClassifyRow(row.name, certificate_);
        if (what.emblem)
            vFunGraphicDrawMark(context_, MarkKind::Emblem, row, canvases_[0], row.name);
        if (what.stamp)
            vFunGraphicDrawMark(context_, MarkKind::Stamp, row, canvases_[0], row.name);
        PageCanvas& canvas = canvases_[static_cast<std::size_t>(what.page - 1)];
        switch (what.kind) {
        case RowKind::Text:
            drawText(row, what, canvas);
            break;
        case RowKind::MemoLine:
            drawMemoLine(row, what.page, canvas);
            break;
        case RowKind::DotLeader:
            DrawDotLeader(context_, row, canvas, what.page, row.name);
            break;
        case RowKind::Frame:
            DrawFrameMark(context_, canvases_[0], row);
            break;
        case RowKind::None:
            break;
        }
    }

private:
    void drawText(const CalibrationRecord& row, const RowClass& what, PageCanvas& canvas)
    {
        const std::optional<RenderSource::Component> component = form_.findComponent(row.name);
        if (!component || (what.skipWhenEmpty && component->text.isEmpty()))
            return;
        DrawFieldText(context_, component->text, row, canvas, what.page, row.name);
    }

    void drawMemoLine(const CalibrationRecord& row, int page, PageCanvas& canvas)
    {
        const std::string memo = row.name.substr(0, row.name.size() >= 2 ? row.name.size() - 2 : 0);
        const std::optional<RenderSource::Component> component = form_.findComponent(memo);
        if (!component)
            return;
        const int line = cursor_.advance(memo);
        const QStringList lines =
            BreakLines(component->text, component->memoFont, component->memoWidth);
        const QString text = line < lines.size() ? lines[line] : QString();
        DrawFieldText(context_, text, row, canvas, page, memo);
    }

    const DrawContext& context_;
    const RenderSource& form_;
    PageCanvases& canvases_;
    bool certificate_;
    MemoCursor cursor_;
};

std::optional<QImage> PreviewBackground(const std::string& folder, std::string_view name)
{
    // A missing or unreadable picture gives a white page, never the previous document.
    return PictureCache::instance().picture(
        QString::fromStdString(folder + "/grafika/" + std::string(name)));
}

void ShowPreview(RenderContext& context, PageCanvases& canvases, const DocumentType& type)
{
    if (!context.view) {
        ClosePageCanvases(canvases);
        return;
    }
    PreviewView& view = *context.view;
    const std::string folder = strFunGetMainDirPath(context.errors);
    std::array<std::optional<QImage>, 4> backgrounds;
    backgrounds[0] = PreviewBackground(folder, type.previewPicture);
    if (IsCertificateType(type.type)) {
        backgrounds[1] = backgrounds[2] = backgrounds[3] =
            PreviewBackground(folder, kPageTwoToFourPicture);
        view.setPageTabVisible(2, true);
        view.setPageTabVisible(3, type.tab3);
        view.setPageTabVisible(4, type.tab4);
    } else {
        for (int page = 2; page <= 4; ++page)
            view.setPageTabVisible(page, false);
    }
    ShowPagePreviews(context.pages, canvases, view, backgrounds);
}

}  // namespace

bool RenderPages(RenderContext& context, const RenderSource& form, RenderMode mode, int type,
                 int pageCount, bool defaultA4, bool defaultPortrait)
{
    // The canvases record apart from the page images: a render that ends before closing
    // them leaves the page images as they were.
    PageCanvases canvases;
    CreatePageCanvases(context.pages, canvases);
    context.calibrationList.clear();
    const std::string file = CalibrationFilePath(context.errors, false);

    const DocumentType* documentType = FindDocumentType(type);
    if (!documentType) {
        DialogService::instance().message(QStringLiteral("Niepoprawny typ świadectwa"),
                                          QStringLiteral("Błąd"), MsgIcon::Warning, MsgButtons::Ok);
        return false;
    }
    const std::string set = RenderSetName(type, context.options.printNoDots);
    if (!LoadCalibrationRows(context.errors, file, set, context.calibrationList)) {
        ClosePageCanvases(canvases);
        DialogService::instance().message(
            QStringLiteral("Błąd podczas próby wczytania danych kalibracji.\n\n") +
                QString::fromStdString(context.errors.str()),
            QStringLiteral("Błąd"), MsgIcon::Error, MsgButtons::Ok);
        return false;
    }

    context.printMode = mode;
    context.printJob = PrintJobFields{pageCount, defaultA4, defaultPortrait};

    const DrawContext drawContext{
        .options = context.options,
        .printing = context.printMode == RenderPrint,
        .selectedRow = context.selectedRow,
        .view = context.view,
        .errors = &context.errors,
    };
    RowPainter painter(drawContext, form, canvases, IsCertificateType(type));
    for (const CalibrationRecord& row : context.calibrationList)
        painter.draw(row);

    if (mode == RenderPrint)
        ClosePageCanvases(canvases);
    else
        ShowPreview(context, canvases, *documentType);
    return true;
}
