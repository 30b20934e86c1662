#pragma once
// The help pages the program opens, by topic: the page's file name in the help folder without
// ".html". Every place that opens help takes its topic from here, so allTopics() is the whole
// list the shipped pages must cover.

#include "skin/ButtonLayout.h"

#include <QString>
#include <QStringList>

namespace gp::ui::help {

// The context menus' help items: a cell of the layout page, an object of the free-style page.
inline constexpr int kCellTopic = 550;
inline constexpr int kObjectTopic = 900;

inline QString indexTopic()
{
    return QStringLiteral("index");
}

inline QString readmeTopic()
{
    return QStringLiteral("readme");
}

// The Template dialog's page (matte and calendar pages).
inline QString templateTopic()
{
    return QStringLiteral("template");
}

// The page of a screen, by the button page the screen shows.
inline QString screenTopic(int buttonPage)
{
    return QStringLiteral("screen%1").arg(buttonPage);
}

// The page of a context menu's help item.
inline QString contextTopic(int topic)
{
    return QStringLiteral("topic%1").arg(topic);
}

inline QStringList allTopics()
{
    QStringList topics { indexTopic(), readmeTopic(), templateTopic(), contextTopic(kCellTopic),
        contextTopic(kObjectTopic) };
    for (int page = 0; page < kFramePages; ++page)
        topics.append(screenTopic(page));
    return topics;
}

} // namespace gp::ui::help
