#include "data/core/ApplicationTitle.h"

namespace {
struct TitleState {
    QString title;
    QString caption;
    std::function<void(const QString&)> titleHandler;
    std::function<void(const QString&)> captionHandler;
};

TitleState& state()
{
    static TitleState s;
    return s;
}
} // namespace

QString applicationTitle() { return state().title; }

void setApplicationTitle(const QString& title)
{
    state().title = title;
    if (state().titleHandler)
        state().titleHandler(title);
}

void setApplicationTitleHandler(std::function<void(const QString&)> handler)
{
    state().titleHandler = std::move(handler);
}

QString mainWindowCaption() { return state().caption; }

void setMainWindowCaption(const QString& caption)
{
    state().caption = caption;
    if (state().captionHandler)
        state().captionHandler(caption);
}

void setMainWindowCaptionHandler(std::function<void(const QString&)> handler)
{
    state().captionHandler = std::move(handler);
}
