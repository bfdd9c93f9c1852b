#pragma once

#include <QString>

#include <vector>

namespace pagula::app
{

// A mounted volume as the drive drop-down lists it.
struct Volume {
    QString rootPath; // "/", "/home", "/media/usb"
    QString label;    // the volume's name; may be empty

    bool operator==(const Volume& o) const { return rootPath == o.rootPath && label == o.label; }
};

// The volumes that are mounted, valid and ready, ordered by root path, each root once.
std::vector<Volume> mountedVolumes();

// The drop-down's text: the root path, with the label in brackets when it has one that says
// more than the path.
QString volumeText(const Volume& volume);

// The volume that holds a folder: the one with the longest root path that contains it, -1 when
// none does.
int volumeIndexFor(const std::vector<Volume>& volumes, const QString& folder);

} // namespace pagula::app
