#include "uLamina.h"

#include "uArbolBin.h"
#include "uGrabacion.h"
#include "uHistoria.h"
#include "uColor.h"
#include "uPseudocodigo.h"
#include "uTipos.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

namespace {

constexpr int kBanda = 64;  // the caption band below a picture in the PDF, at least
constexpr int kLinea = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;  // a caption line

// Puts a written file under its name. QSaveFile::commit flushes the last
// buffered bytes as it closes without looking at the outcome, so a failed
// write there (a full disk) would still be committed, truncated.
bool Confirmar(QSaveFile& fichero) { return fichero.flush() && fichero.commit(); }
// A whole file written and put under its name.
bool EscribirTodo(QSaveFile& fichero, const QByteArray& datos) {
  return fichero.open(QIODevice::WriteOnly) && fichero.write(datos) == datos.size() && Confirmar(fichero);
}

// Why a file could not be written. A failed write (a full disk, a size
// limit) often comes with no text from Qt but "Unknown error".
QString Motivo(const QFileDevice& fichero) {
  return fichero.error() == QFileDevice::WriteError ? QStringLiteral("falló la escritura (¿disco lleno?)")
                                                     : fichero.errorString();
}

QString Texto(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// A listing's line as printed: the lit one behind an arrow, so it stands
// out on a page printed without colour too.
constexpr int kLineaListado = 17;  // the height of a printed listing line, at least
QString LineaListado(const TListado& l, std::size_t i, int linea) {
  return (static_cast<int>(i) + 1 == linea ? QStringLiteral("→ ") : QStringLiteral("  ")) + Texto(l.Lineas[i]);
}

// Hands the PDF writer's bytes on to the file, counting them. It keeps the
// document's first bytes (its catalog) and, once Guardar is set, everything
// after (the page tree, the cross-reference table and the trailer are
// written at the end).
class TSalidaPdf final : public QIODevice {
public:
  explicit TSalidaPdf(QIODevice& destino) : Destino_(destino) { open(QIODevice::WriteOnly); }
  bool isSequential() const override { return true; }

  qint64 Total = 0;
  QByteArray Cabeza, Cola;
  bool Guardar = false;

protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* datos, qint64 n) override {
    const qint64 escritos = Destino_.write(datos, n);
    if (escritos > 0) {
      if (Cabeza.size() < 4096)
        Cabeza.append(datos, std::min<qint64>(escritos, 4096 - Cabeza.size()));
      if (Guardar)
        Cola.append(datos, escritos);
      Total += escritos;
    }
    return escritos;
  }

private:
  QIODevice& Destino_;
};

// A PDF text string: UTF-16BE with its byte order mark, in hex.
QByteArray TextoPdf(const QString& s) {
  QByteArray b = "<FEFF";
  for (const QChar c : s)
    b += QByteArray::number(c.unicode() + 0x10000, 16).mid(1).toUpper();
  return b + ">";
}

// The outline as an incremental update after the document the writer
// produced: outline objects, the catalog again with the outline, a
// cross-reference section for them and a trailer pointing back to the
// first. Empty when the document is not laid out as expected (the pages
// are written all the same, without the outline).
QByteArray Esquema(const TSalidaPdf& pdf, const std::vector<std::pair<QString, int>>& entradas) {
  const QString cola = QString::fromLatin1(pdf.Cola), cabeza = QString::fromLatin1(pdf.Cabeza);
  const auto trailer = QRegularExpression(R"(trailer\s*<<(.*)>>\s*startxref\s+(\d+)\s+%%EOF\s*$)",
                                          QRegularExpression::DotMatchesEverythingOption)
                           .match(cola);
  const auto paginas =
      QRegularExpression(R"((\d+) 0 obj\s*<<\s*/Type /Pages\s*/Kids\s*\[([^\]]*)\])").match(cola);
  if (!trailer.hasMatch() || !paginas.hasMatch() || entradas.empty())
    return {};
  const auto entero = [&](const char* clave) {
    const auto m = QRegularExpression(QString(clave) + R"(\s+(\d+))").match(trailer.captured(1));
    return m.hasMatch() ? m.captured(1).toLongLong() : -1;
  };
  const qint64 tam = entero("/Size"), raiz = entero("/Root"), info = entero("/Info");
  const auto catalogo = QRegularExpression(QString::number(raiz) + R"( 0 obj\s*<<(.*?)>>\s*endobj)",
                                           QRegularExpression::DotMatchesEverythingOption)
                            .match(cabeza);
  std::vector<QString> hojas;
  for (auto m = QRegularExpression(R"((\d+) 0 R)").globalMatch(paginas.captured(2)); m.hasNext();)
    hojas.push_back(m.next().captured(1));
  if (tam <= 0 || raiz < 0 || !catalogo.hasMatch())
    return {};

  QByteArray s = "\n";
  std::vector<std::pair<qint64, qint64>> desplazamientos;  // object, offset
  const auto objeto = [&](qint64 num, const QByteArray& cuerpo) {
    desplazamientos.emplace_back(num, pdf.Total + s.size());
    s += QByteArray::number(num) + " 0 obj\n" + cuerpo + "\nendobj\n";
  };
  const qint64 raizEsquema = tam, k = static_cast<qint64>(entradas.size());
  const auto ref = [](qint64 n) { return QByteArray::number(n) + " 0 R"; };
  objeto(raizEsquema, "<< /Type /Outlines /First " + ref(tam + 1) + " /Last " + ref(tam + k) + " /Count " +
                          QByteArray::number(k) + " >>");
  for (qint64 i = 0; i < k; ++i) {
    const auto& [titulo, pagina] = entradas[static_cast<std::size_t>(i)];
    QByteArray e = "<< /Title " + TextoPdf(titulo) + " /Parent " + ref(raizEsquema);
    if (i > 0)
      e += " /Prev " + ref(tam + i);
    if (i + 1 < k)
      e += " /Next " + ref(tam + i + 2);
    if (pagina >= 0 && static_cast<std::size_t>(pagina) < hojas.size())
      e += " /Dest [" + hojas[static_cast<std::size_t>(pagina)].toLatin1() + " 0 R /Fit]";
    objeto(tam + 1 + i, e + " >>");
  }
  objeto(raiz, "<<" + catalogo.captured(1).toLatin1() + " /Outlines " + ref(raizEsquema) +
                   " /PageMode /UseOutlines >>");
  const qint64 xref = pdf.Total + s.size();
  const auto entrada = [](qint64 despl) { return QByteArray::number(despl).rightJustified(10, '0') + " 00000 n \n"; };
  s += "xref\n0 1\n0000000000 65535 f \n" + QByteArray::number(raiz) + " 1\n" +
       entrada(desplazamientos.back().second) + QByteArray::number(tam) + " " + QByteArray::number(k + 1) + "\n";
  for (std::size_t i = 0; i + 1 < desplazamientos.size(); ++i)
    s += entrada(desplazamientos[i].second);
  s += "trailer\n<< /Size " + QByteArray::number(tam + k + 1) + " /Root " + ref(raiz) +
       (info >= 0 ? " /Info " + ref(info) : QByteArray()) + " /Prev " + trailer.captured(2).toLatin1() +
       " >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
  return s;
}

}  // namespace

class TLamina::TDatos {
public:
  QString Nombre;
  QSize Vista;
  bool Pdf = false;
  int Num = 0;
  std::optional<QSaveFile> Fichero;  // cancelled unless committed
  std::optional<TSalidaPdf> Salida;
  std::optional<QPdfWriter> Escritor;
  QPainter Pintor;
  std::vector<std::pair<QString, int>> Entradas;  // an operation and its first page
  std::optional<QTemporaryDir> Carpeta;           // removed unless renamed
  QString Indice;

  [[noreturn]] void Fallar(const QString& motivo) const {
    throw ELamina(("no se puede escribir la salida " + Nombre + ": " + motivo).toStdString());
  }
};

TLamina::TLamina(const QString& nombre, QSize vista, const QString& creador) : D_(std::make_unique<TDatos>()) {
  TDatos& d = *D_;
  d.Nombre = nombre;
  d.Vista = vista;
  d.Pdf = nombre.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
  if (d.Pdf) {
    d.Fichero.emplace(nombre);
    if (!d.Fichero->open(QIODevice::WriteOnly))
      d.Fallar(Motivo(*d.Fichero));
    d.Salida.emplace(*d.Fichero);
    d.Escritor.emplace(&*d.Salida);
    d.Escritor->setResolution(72);  // a point per pixel
    d.Escritor->setPageSize(QPageSize(QSizeF(vista.width(), vista.height() + kBanda), QPageSize::Point));
    d.Escritor->setPageMargins(QMarginsF(0, 0, 0, 0));
    d.Escritor->setCreator(creador);
    d.Escritor->setTitle(QFileInfo(nombre).completeBaseName());
    return;
  }
  // A folder is written whole beside its final place, then renamed. "dir/"
  // names the folder dir (the hidden sibling is not made inside it).
  d.Nombre = QDir::cleanPath(nombre);
  const QFileInfo info(d.Nombre);
  const auto todo = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
  if (info.exists() && !(info.isDir() && QDir(d.Nombre).isEmpty(todo)))
    throw ELamina(("la salida " + nombre + " ya existe y no es una carpeta vacía").toStdString());
  d.Carpeta.emplace(info.absolutePath() + "/." + info.fileName() + "-XXXXXX");
  if (!d.Carpeta->isValid())
    d.Fallar(d.Carpeta->errorString());
}

TLamina::~TLamina() {
  if (D_->Pintor.isActive())
    D_->Pintor.end();
}

void TLamina::Operacion(const QString& titulo) {
  D_->Entradas.emplace_back(titulo, D_->Num);
  if (!D_->Pdf)
    D_->Indice += "<h2>" + titulo.toHtmlEscaped() + "</h2>\n";
}

void TLamina::Pagina(const QImage& imagen, const QStringList& textos, const TListado* listado, int linea) {
  TDatos& d = *D_;
  ++d.Num;
  if (listado && (linea < 1 || static_cast<std::size_t>(linea) > listado->Lineas.size()))
    listado = nullptr;
  if (d.Pdf) {
    // The caption lines, then the listing's, each as high as it needs wrapped
    // to the width (a page taller than the others): none is cut off.
    struct TFila {
      QString Texto;
      QFont Fuente;
      int Alto;
      bool Lit;
    };
    std::vector<TFila> filas;
    QFont f;
    f.setPixelSize(14);
    // Unshaped, without ligatures: "fi" is found and copied as two letters.
    f.setStyleStrategy(QFont::PreferNoShaping);
    for (int i = 0; i < textos.size(); ++i) {
      f.setBold(i == 0);
      filas.push_back({textos[i], f, 20, false});
    }
    QFont fijo = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fijo.setPixelSize(13);
    fijo.setStyleStrategy(QFont::PreferNoShaping);
    for (std::size_t i = 0; listado && i < listado->Lineas.size(); ++i) {
      const bool lit = static_cast<int>(i) + 1 == linea;
      fijo.setBold(lit);
      filas.push_back({LineaListado(*listado, i, linea), fijo, kLineaListado, lit});
    }
    const int ancho = imagen.width() - 16;
    int banda = listado ? 10 : 4;
    for (TFila& r : filas) {
      const QRect caja = QFontMetrics(r.Fuente, &*d.Escritor).boundingRect(QRect(0, 0, ancho, 1 << 20), kLinea, r.Texto);
      banda += r.Alto = std::max(r.Alto, caja.height());
    }
    const QPageSize tam(QSizeF(d.Vista.width(), d.Vista.height() + std::max(kBanda, banda)), QPageSize::Point);
    if (!tam.isEquivalentTo(d.Escritor->pageLayout().pageSize()))
      d.Escritor->setPageSize(tam);
    if (d.Num > 1 && !d.Escritor->newPage())
      d.Fallar(QStringLiteral("no se pudo añadir una página"));
    if (!d.Pintor.isActive()) {
      if (!d.Pintor.begin(&*d.Escritor))
        d.Fallar(QStringLiteral("no se pudo empezar el documento"));
      // The pictures as they are: without it the writer stores them as JPEG.
      d.Pintor.setRenderHint(QPainter::LosslessImageRendering);
    }
    d.Pintor.drawImage(0, 0, imagen);
    int y = imagen.height() + 2;
    for (std::size_t i = 0; i < filas.size(); y += filas[i].Alto, ++i) {
      if (i == static_cast<std::size_t>(textos.size()))
        y += 6;  // between the captions and the listing
      const QRect r(8, y, ancho, filas[i].Alto);
      if (filas[i].Lit)
        d.Pintor.fillRect(r.adjusted(-4, 0, 4, 0), ColorQt(ColorLineaActual));
      d.Pintor.setFont(filas[i].Fuente);
      d.Pintor.drawText(r, kLinea, filas[i].Texto);
    }
    if (d.Fichero->error() != QFileDevice::NoError)
      d.Fallar(Motivo(*d.Fichero));
    return;
  }
  const QString nombre = QStringLiteral("%1.png").arg(d.Num, 4, 10, QChar('0'));
  // Encoded in memory, then written and checked: the encoder does not
  // report a file's failed writes.
  QByteArray png;
  QBuffer memoria(&png);
  QSaveFile fichero(d.Carpeta->filePath(nombre));
  if (!memoria.open(QIODevice::WriteOnly) || !imagen.save(&memoria, "PNG"))
    d.Fallar("no se pudo codificar " + nombre);
  if (!EscribirTodo(fichero, png))
    d.Fallar("no se pudo guardar " + nombre + ": " + Motivo(fichero));
  QString imagenHtml = "<img src=\"" + nombre + "\" alt=\"" + nombre + "\">";
  if (listado) {
    // The listing beside the picture, its line marked.
    QString pre;
    for (std::size_t i = 0; i < listado->Lineas.size(); ++i) {
      const QString t = LineaListado(*listado, i, linea).toHtmlEscaped();
      pre += (static_cast<int>(i) + 1 == linea ? "<mark><b>" + t + "</b></mark>" : t) + "\n";
    }
    imagenHtml = "<div style=\"display:flex;gap:1em;align-items:flex-start\">" + imagenHtml + "<pre>" + pre +
                 "</pre></div>";
  }
  d.Indice += "<figure>" + imagenHtml + "<figcaption><b>" + textos.value(0).toHtmlEscaped() + "</b><br>" +
              textos.value(1).toHtmlEscaped() + "<br>" + textos.value(2).toHtmlEscaped() + "</figcaption></figure>\n";
}

void TLamina::Terminar() {
  TDatos& d = *D_;
  if (d.Pdf) {
    d.Salida->Guardar = true;
    if (!d.Pintor.isActive() && !d.Pintor.begin(&*d.Escritor))  // no page: an empty one
      d.Fallar(QStringLiteral("no se pudo empezar el documento"));
    if (!d.Pintor.end())
      d.Fallar(Motivo(*d.Fichero));
    const QByteArray esquema = Esquema(*d.Salida, d.Entradas);
    if (d.Fichero->write(esquema) != esquema.size() || !Confirmar(*d.Fichero))
      d.Fallar(Motivo(*d.Fichero));
    return;
  }
  QSaveFile indice(d.Carpeta->filePath(QStringLiteral("indice.html")));
  const QByteArray html = "<!DOCTYPE html>\n<html lang=\"es\"><head><meta charset=\"utf-8\"><title>" +
                          QFileInfo(d.Nombre).fileName().toHtmlEscaped().toUtf8() + "</title></head><body>\n" +
                          d.Indice.toUtf8() + "</body></html>\n";
  if (!EscribirTodo(indice, html))
    d.Fallar(Motivo(indice));
  // rename(2) takes the place of an empty folder and of nothing else.
  if (std::rename(QFile::encodeName(d.Carpeta->path()).constData(), QFile::encodeName(d.Nombre).constData()) != 0)
    d.Fallar(QString::fromLocal8Bit(std::strerror(errno)));
  d.Carpeta->setAutoRemove(false);
}

QString NombreOperacion(const TPaso& paso, const TArbolBin& arbol) {
  const QString en = QStringLiteral(" en ") + QString::fromStdString(arbol.NombreTipo());
  const QString clave = QString::number(paso.Clave);
  const TTipoEstructura* tipo = TipoDe(arbol);
  switch (paso.Tipo) {
  case TPaso::Insercion: return "Inserción de " + clave + en;
  case TPaso::Borrado:
    return tipo && tipo->BorraMinimo ? "Borrado del mínimo" + en : "Borrado de " + clave + en;
  case TPaso::Busqueda: return "Búsqueda de " + clave + en;
  case TPaso::Monticulo: return "Creación del montículo" + en;
  case TPaso::Vaciado: return "Vaciado" + en;
  }
  return {};
}

void PaginasGrabacion(TLamina& lamina, const TGrabacion& grabacion, const QString& operacion,
                      const TArbolBin& resultado, const std::function<QImage(const TArbolBin&)>& dibujar,
                      const QString& error, bool pseudocodigo) {
  lamina.Operacion(operacion);
  const std::size_t n = grabacion.NumEtapas();
  for (std::size_t k = 0; k < n; ++k) {
    const TGrabacion::TEtapa etapa = grabacion.Etapa(k);
    const TGrabacion::TFoto foto = grabacion.Foto(k);
    const QStringList textos{Texto(etapa.Titulo), Texto(etapa.Descripcion),
                             operacion + QStringLiteral(" — etapa %1 de %2").arg(k + 1).arg(n)};
    const TListado* listado = pseudocodigo ? BuscarListado(etapa.Listado) : nullptr;
    // The player's stops: a stage that lays out (type 1) after its glide, one that waits for
    // "Efectuar!" (type 2) before and after.
    lamina.Pagina(dibujar(etapa.Tipo == 1 && foto.Despues ? *foto.Despues : *foto.Antes), textos, listado,
                  etapa.Linea);
    if (etapa.Tipo == 2 && foto.Despues)
      lamina.Pagina(dibujar(*foto.Despues), textos, listado, etapa.Linea);
  }
  lamina.Pagina(dibujar(resultado), {error.isEmpty() ? QStringLiteral("Resultado") : "Error: " + error,
                                     QStringLiteral("%1 nodos").arg(resultado.NumNodos), operacion});
}
