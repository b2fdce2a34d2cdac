#include "document/bufferedforms.h"

#include "document/filereplacement.h"
#include "document/idedocument.h"
#include "document/keptlayoutwriter.h"

#include <QIODevice>

namespace tarnel {

DocumentContent parseIde(QByteArrayView bytes, const LoadErrorSink& onError)
{
    return parseIdeKeepingBytes(bytes.toByteArray(), onError);
}

ContentView contentViewOf(const DocumentContent& content)
{
    ContentView view;
    for (LineKind kind : allLineKinds)
        view.tables[size_t(kind)] = &content.table(kind);
    view.pathText = content.pathText;
    return view;
}

QByteArray formatIde(const ContentView& content, QByteArrayView header)
{
    QByteArray bytes;
    bytes.reserve(ideSizeHint(content, header));
    writeIde(content, header, [&bytes](QByteArrayView piece) { bytes.append(piece); });
    return bytes;
}

QByteArray formatDocument(const IdeDocument& document, QByteArrayView header)
{
    return formatIde(document.contentView(), header);
}

QByteArray formatKeepingLayout(const IdeDocument& document)
{
    QByteArray bytes;
    bytes.reserve(document.fileLayout().bytes.size() + 256);
    writeKeepingLayout(document, [&bytes](QByteArrayView piece) { bytes.append(piece); });
    return bytes;
}

QString writeIdeFile(const QString& path, const QByteArray& bytes)
{
    return replaceFileContent(path, [&bytes](QIODevice& file) { return file.write(bytes) == bytes.size(); });
}

} // namespace tarnel
