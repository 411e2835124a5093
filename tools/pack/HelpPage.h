#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>

// Builds the help page from its template: every placeholder "{{image:NAME:WIDTH:HEIGHT}}" becomes a PNG data
// URI of the picture NAME at that size, and the page is encoded as ISO-8859-1. Throws SkylatheError for a
// malformed placeholder or a character that ISO-8859-1 cannot hold.
using PictureSource = std::function<QImage(const QString& name, int width, int height)>;
QByteArray BuildHelpPage(const QString& pageTemplate, const PictureSource& pictures);
