#include "platform/choosers.h"

std::optional<FileChoice> ScriptedChoosers::answer(Kind kind, const FileRequest& request) {
    Asked asked;
    asked.kind = kind;
    asked.request = request;
    m_asked.push_back(asked);
    if (m_answers.empty())
        return std::nullopt;
    const FileChoice a = m_answers.front();
    m_answers.pop_front();
    if (a.path.empty())
        return std::nullopt;
    return a;
}

std::optional<FileChoice> ScriptedChoosers::saveFile(QWidget*, const FileRequest& request) {
    return answer(Kind::Save, request);
}

std::optional<FileChoice> ScriptedChoosers::openFile(QWidget*, const FileRequest& request) {
    return answer(Kind::Open, request);
}

std::optional<COLORREF> ScriptedChoosers::chooseColour(QWidget*, COLORREF initial) {
    Asked asked;
    asked.kind = Kind::Colour;
    asked.colour = initial;
    m_asked.push_back(asked);
    if (m_colours.empty())
        return std::nullopt;
    const std::optional<COLORREF> a = m_colours.front();
    m_colours.pop_front();
    return a;
}

std::optional<FontChoice> ScriptedChoosers::chooseFont(QWidget*, const LOGFONT& font, COLORREF colour) {
    Asked asked;
    asked.kind = Kind::Font;
    asked.font = font;
    asked.colour = colour;
    m_asked.push_back(asked);
    if (m_fonts.empty())
        return std::nullopt;
    std::optional<FontChoice> a = std::move(m_fonts.front());
    m_fonts.pop_front();
    return a;
}

std::optional<std::string> ScriptedChoosers::chooseFolder(QWidget*, const FileRequest& request) {
    const std::optional<FileChoice> a = answer(Kind::Folder, request);
    if (!a)
        return std::nullopt;
    return a->path;
}
