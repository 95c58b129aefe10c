#pragma once
// Notices pictures of the game that changed on disk (painted in another
// program) so that the map and the image page show them again. Looked at
// on every tick of the window's editing timer: for each image in use, the
// picture file's modification time and size are compared with what the
// last look saw.

#include <QObject>
#include <map>
#include <string>

namespace banmen {

class EditorDocument;

class PictureWatch : public QObject {
    Q_OBJECT

  public:
    explicit PictureWatch(const EditorDocument& document, QObject* parent = nullptr);

    // Takes a new look; true when a picture file changed since the last one
    // (also one that appeared or went away).
    bool look();

  private:
    // What is known of one picture file: "" when it is missing.
    using Signature = std::string;
    std::map<std::string, Signature> current() const;

    const EditorDocument& document_;
    std::map<std::string, Signature> seen_;  // by native path
};

}  // namespace banmen
