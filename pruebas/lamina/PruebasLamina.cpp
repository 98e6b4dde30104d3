#include <gtest/gtest.h>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include "uAlmacenQSettings.h"
#include "uDibujo.h"
#include "uGrabacion.h"
#include "uOpciones.h"
#include "uPseudocodigo.h"
#include "uTipoTraza.h"
#include "uTraza.h"

// A run in the folder, with these variables added to the environment: its status (-1 for a crash) and its outputs.
struct TSalida { int Codigo; QByteArray Texto, Errores; };
TSalida Correr(const QString& programa, const QStringList& args, const QTemporaryDir& dir, QStringList var = {}) {
  QProcess p;
  QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
  for (const QString& v : var) e.insert(v.section('=', 0, 0), v.section('=', 1));
  p.setProcessEnvironment(e), p.setWorkingDirectory(dir.path()), p.start(programa, args), p.waitForFinished(240000);
  const int codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  return {codigo, p.readAllStandardOutput(), p.readAllStandardError()};
}
// A tool's last line of errors from the colon on (Qt's notes and the tool's name dropped).
QByteArray Mensaje(const QByteArray& e) {
  const QByteArray l = e.mid(e.lastIndexOf("quelvar-"));
  return l.mid(l.indexOf(':'));
}
QStringList Pngs(const QTemporaryDir& dir, const QString& carpeta) {
  return QDir(dir.filePath(carpeta)).entryList({"*.png"}, QDir::Files, QDir::Name);
}

// avl 50 30 20 against its stages recorded here: as a PDF that another reader finds valid, a page per picture (a type
// 2 stage twice, then the result) holding its captions whole (on narrow pages too), the outline at each OP's first
// page; as PNG pictures drawn centred in 1280 x 720.
TEST(Lamina, PdfEImagenesDeCadaEtapa) {
  QTemporaryDir dir;
  const QStringList avl{"avl", "50", "30", "20"};
  for (const QStringList& salida : {QStringList{"l.pdf"}, {"p"}, {"e.pdf", "--ancho", "300"}})  // e: narrow pages
    ASSERT_EQ(Correr(QUELVAR_LAMINA, avl + QStringList{"--salida"} + salida, dir).Codigo, 0);
  const auto distribuir = [](TArbolBin& a) { return a.DistribuirSeparada(15, 2, 5); };
  std::vector<std::pair<std::unique_ptr<TArbolBin>, QStringList>> paginas;
  QStringList esquema;  // "page title" per OP
  std::unique_ptr<TArbolBin> arbol = BuscarTipoTraza("avl")->Clase();
  for (const int v : {50, 30, 20}) {
    const QString op = QString("Inserción de %1 en Arbol AVL").arg(v);
    esquema << QString("%1 %2").arg(paginas.size() + 1).arg(op);
    TGrabacion g;
    arbol->Deseleccionar(), g.Grabar(*arbol, [v](TArbolBin& a) { a.Insertar(v); }, distribuir);
    for (std::size_t k = 0; k < g.NumEtapas(); ++k) {
      const QStringList textos{QString::fromUtf8(g.Etapa(k).Titulo), QString::fromUtf8(g.Etapa(k).Descripcion),
                               op + QString(" — etapa %1 de %2").arg(k + 1).arg(g.NumEtapas())};
      for (TGrabacion::TFoto f = g.Foto(k); auto* a : {&f.Antes, g.Etapa(k).Tipo == 2 ? &f.Despues : nullptr})
        if (a) paginas.emplace_back(std::move(*a), textos);
    }
    arbol->Deseleccionar(), distribuir(*arbol);
    paginas.emplace_back(arbol->Clonar(), QStringList{"Resultado", QString("%1 nodos").arg(arbol->NumNodos), op});
  }
  const TSalida info = Correr(QUELVAR_PDFINFO, {"l.pdf"}, dir);
  EXPECT_TRUE(info.Codigo == 0 && !info.Errores.contains("Error")) << info.Errores.toStdString();
  const QRegularExpression paginasPdf("\nPages: +(\\d+)\n");
  EXPECT_EQ(paginasPdf.match(QString(info.Texto)).captured(1), QString::number(paginas.size()));
  QFile f(dir.filePath("l.pdf"));  // the last cross-reference section where the trailer says (readers mend it silently)
  const QByteArray pdf = f.open(QFile::ReadOnly) ? f.readAll() : "";
  const qsizetype xref = pdf.mid(pdf.lastIndexOf("startxref") + 10).split('\n')[0].toLongLong();
  ASSERT_EQ(pdf.mid(xref, 5), "xref\n");
  // Each entry of that section finds its object; the trailer's /Size and every reference of the update that adds
  // the outline stay within the objects there are.
  const QList<QByteArray> filas = pdf.mid(xref).split('\n');
  for (qsizetype i = 1; i < filas.size() && !filas[i].startsWith("trailer");) {
    const QList<QByteArray> seccion = filas[i++].split(' ');
    ASSERT_EQ(seccion.size(), 2) << i;
    for (qint64 k = 0, n = seccion[1].toLongLong(); k < n; ++k, ++i) {
      const QByteArray objeto = QByteArray::number(seccion[0].toLongLong() + k) + " 0 obj";
      const bool halla = filas[i].endsWith("f ") || pdf.mid(filas[i].left(10).toLongLong()).startsWith(objeto);
      EXPECT_TRUE(filas[i].size() == 19 && halla) << i;
    }
  }
  qint64 objetos = 0, tam = QRegularExpression("/Size (\\d+)").match(QString(pdf.mid(xref))).captured(1).toLongLong();
  for (auto m = QRegularExpression("(\\d+) 0 obj").globalMatch(QString(pdf)); m.hasNext();)
    objetos = std::max(objetos, m.next().captured(1).toLongLong() + 1);
  for (auto m = QRegularExpression("(\\d+) 0 R").globalMatch(QString(pdf.mid(pdf.indexOf("%%EOF")))); m.hasNext();)
    EXPECT_LT(m.next().captured(1).toLongLong(), objetos);
  EXPECT_EQ(tam, objetos);
  QList<QStringList> textos;  // each page's text with its line breaks as spaces, of l.pdf and of e.pdf
  for (const char* nombre : {"l.pdf", "e.pdf"})
    for (QString& t : textos.emplace_back(QString(Correr(QUELVAR_PDFTOTEXT, {nombre, "-"}, dir).Texto).split('\f')))
      t = t.simplified();
  ASSERT_TRUE(textos[0].size() > qsizetype(paginas.size()) && textos[1].size() > qsizetype(paginas.size()));
  QString hallado = QString::fromUtf8(Correr(QUELVAR_PDFTOHTML, {"-xml", "-i", "-stdout", "l.pdf"}, dir).Texto);
  hallado = hallado.section("<outline>", 1).section("</outline>", 0, 0);  // an entry a line, as "page title"
  hallado.replace(QRegularExpression("<item page=\"(\\d+)\">([^<]*)</item>"), "\\1 \\2");
  EXPECT_EQ(hallado.split('\n', Qt::SkipEmptyParts), esquema);
  for (std::size_t i = 0; i < paginas.size(); ++i) {
    for (const QStringList& texto : textos) {
      qsizetype desde = 0;  // the captions whole, in their order on their page
      for (const QString& t : paginas[i].second)
        EXPECT_GE(desde = texto[qsizetype(i)].indexOf(t, desde), 0) << i << ' ' << t.toStdString();
    }
    const TDistribucion d = distribuir(*paginas[i].first->Clonar());
    TAjustesDibujo aj;
    QImage esperada(1280, 720, QImage::Format_RGB32);
    aj.DesplX = (d.Ancho - 1280) / 2, aj.DesplY = (d.Alto - 720) / 2;
    DibujarEstructura(esperada, *paginas[i].first, aj);
    const QString png = dir.filePath("p/" + QString("%1.png").arg(i + 1, 4, 10, QChar('0')));
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32), esperada) << i;
  }
  EXPECT_EQ(Pngs(dir, "p").size(), qsizetype(paginas.size()));
}

// One OP list per kind, a splay's search and a heap's build and deletion among them: a picture per stage (type 2
// twice) and per OP's result, counted from quelvar-traza's report, and the index showing them in order.
TEST(Lamina, ImagenesDeCadaTipoEIndice) {
  QTemporaryDir dir;
  for (const char* ops : {"bst 2 1 3 -2", "avl 1 2 3", "rn 10 5 15 1 -15", "splay 1 2 3 ?1", "mon des:7 crear -1"}) {
    const QStringList args = QString(ops).split(' ');
    ASSERT_EQ(Correr(QUELVAR_LAMINA, args + QStringList{"--salida", args[0] + '/'}, dir).Codigo, 0) << ops;
    const QByteArray t = Correr(QUELVAR_TRAZA, args, dir).Texto;
    const QStringList pngs = Pngs(dir, args[0]);
    EXPECT_EQ(pngs.size(), t.count("{\"etapa\"") + t.count("\"tipo\":2,") + t.count("{\"operacion\"")) << ops;
    QFile f(dir.filePath(args[0] + "/indice.html"));
    QStringList srcs;  // the index's pictures in its order
    const QString indice = f.open(QFile::ReadOnly) ? f.readAll() : "";
    for (auto m = QRegularExpression("src=\"([^\"]+)\"").globalMatch(indice); m.hasNext();)
      srcs << m.next().captured(1);
    EXPECT_EQ(srcs, pngs) << ops;
  }
}

// Each stage's page of a search carries its listing whole under the captions, its line behind the arrow (as recorded
// here); --sin-pseudocodigo leaves the listings out.
TEST(Lamina, PseudocodigoBajoCadaEtapa) {
  QTemporaryDir dir;
  const QStringList ops{"bst", "50", "30", "?30", "--salida"};
  ASSERT_EQ(Correr(QUELVAR_LAMINA, ops + QStringList{"con.pdf"}, dir).Codigo, 0);
  ASSERT_EQ(Correr(QUELVAR_LAMINA, ops + QStringList{"sin.pdf", "--sin-pseudocodigo"}, dir).Codigo, 0);
  ASSERT_EQ(Correr(QUELVAR_LAMINA, ops + QStringList{"p"}, dir).Codigo, 0);
  QFile indice(dir.filePath("p/indice.html"));
  const QString html = indice.open(QFile::ReadOnly) ? QString::fromUtf8(indice.readAll()) : "";
  std::unique_ptr<TArbolBin> arbol = BuscarTipoTraza("bst")->Clase();
  arbol->Insertar(50), arbol->Insertar(30);
  TGrabacion g;
  g.Grabar(*arbol, [](TArbolBin& a) { a.Buscar(30); }, [](TArbolBin& a) { return a.DistribuirSeparada(15, 2, 5); });
  const QStringList paginas = QString(Correr(QUELVAR_PDFTOTEXT, {"-layout", "con.pdf", "-"}, dir).Texto).split('\f');
  ASSERT_GT(g.NumEtapas(), 2u);
  for (std::size_t k = 0; k < g.NumEtapas(); ++k) {
    const TListado* l = BuscarListado(g.Etapa(k).Listado);
    ASSERT_TRUE(l && g.Etapa(k).Linea > 0) << k;
    const QString pie = QString("Búsqueda de 30 en Arbol BST — etapa %1 de %2").arg(k + 1).arg(g.NumEtapas());
    const QString pagina = paginas.filter(pie).value(0);
    QStringList marcadas;  // the lines behind the arrow
    for (auto m = QRegularExpression("→ +([^\n]*)").globalMatch(pagina); m.hasNext();) marcadas << m.next().captured(1);
    EXPECT_EQ(marcadas, QStringList{QString::fromStdString(l->Lineas[std::size_t(g.Etapa(k).Linea - 1)]).trimmed()});
    for (const std::string& linea : l->Lineas) EXPECT_TRUE(pagina.contains(QString::fromStdString(linea).trimmed()));
    EXPECT_TRUE(QRegularExpression("<mark><b>→ +" + QRegularExpression::escape(marcadas.value(0).toHtmlEscaped()) +
                                   "</b></mark>").match(html).hasMatch()) << k;  // beside the picture
  }
  const QString sin = Correr(QUELVAR_PDFTOTEXT, {"sin.pdf", "-"}, dir).Texto;
  EXPECT_TRUE(sin.contains("etapa 1 de") && !sin.contains("buscar(v)") && !sin.contains("→"));
}

// --opciones: the program's stored presentation (a background, a radius, drawings without text, the root fixed) for
// whatever the command line leaves unsaid, read from the user's store; an explicit --radio wins over it.
TEST(Lamina, PresentacionGuardada) {
  QTemporaryDir dir;
  TOpciones o;
  o.ColFon = ColorRGB(0x30, 0x60, 0x90), o.NodRad = 24, o.TipoGraf = 1, o.TipoDisp = 1;
  TAlmacenQSettings almacen(dir.filePath("casa/.config/TALMERA/Quelvar.conf"));
  ASSERT_TRUE(GuardarOpciones(almacen, o));
  const QStringList casa{"HOME=" + dir.filePath("casa"), "XDG_CONFIG_HOME=" + dir.filePath("casa/.config")};
  const auto resultado = [&](const QString& salida, const QStringList& args) {  // the last picture
    EXPECT_EQ(Correr(QUELVAR_LAMINA, QStringList{"avl", "50", "30", "70", "--ancho", "400", "--alto", "300", "--salida",
                                                  salida} + args, dir, casa).Codigo, 0);
    const QStringList p = Pngs(dir, salida);
    return QImage(dir.filePath(salida + '/' + p.value(p.size() - 1)));
  };
  const QImage comun = resultado("d", {});
  for (const auto& [salida, args, radio] : {std::tuple{"o", QStringList{"--opciones"}, 24},
                                            {"r", QStringList{"--opciones", "--radio", "10"}, 10}}) {
    std::unique_ptr<TArbolBin> arbol = BuscarTipoTraza("avl")->Clase();
    for (const int v : {50, 30, 70}) arbol->Insertar(v);
    const auto distribuir = [r = radio](TArbolBin& a) { return a.DistribuirSeparada(r, 2, 5); };
    TAjustesDibujo aj{.TipoGraf = 1, .ColFon = o.ColFon, .Fuente = o.Fuente, .R = radio};
    arbol->Deseleccionar(), distribuir(*arbol);
    const QImage imagen = resultado(salida, args).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(imagen, DibujarVista(*arbol, distribuir, aj, {400, 300}, true)) << salida;
    EXPECT_NE(imagen, comun) << salida;
  }
}

// --modo imagenes from a folder without pictures: an installation moved elsewhere finds them in its
// <bin>/../share/quelvar; without them it names every folder it tried (unless the program's own data folder has them).
TEST(Lamina, ImagenesDeLaInstalacion) {
  QTemporaryDir dir;
  const QString bin = dir.filePath("i/bin/quelvar-lamina"), datos = dir.filePath("i/share/quelvar");
  ASSERT_TRUE(QDir(dir.path()).mkpath("i/bin") && QFile::copy(QUELVAR_LAMINA, bin));
  const QStringList args{"avl", "5", "--modo", "imagenes", "--salida", "l.pdf"};
  const TSalida sin = Correr(bin, args, dir);
  const QString probadas = QStringList{dir.path(), dir.filePath("i/bin"), datos, QUELVAR_CARPETA_DATOS}.join(", ");
  EXPECT_TRUE(QFile::exists(QUELVAR_CARPETA_DATOS "/Nodos.bmp") ||
              (sin.Codigo == 1 && Mensaje(sin.Errores) == ": no se encuentran las imágenes de los nodos en las carpetas " + probadas.toUtf8() + "\n"))
      << sin.Errores.toStdString();
  ASSERT_TRUE(QDir(dir.path()).mkpath(datos));
  for (const QString& f : QDir(QUELVAR_IMAGENES).entryList({"*.bmp"})) QFile::copy(QUELVAR_IMAGENES "/" + f, datos + "/" + f);
  EXPECT_EQ(Correr(bin, args, dir).Codigo, 0);
}

// quelvar-traza's refusals with its status and message; outputs that cannot be written, also past a file size limit
// half way through: nothing left under the final name or beside it.
TEST(Lamina, RechazosSinDejarNadaBajoElNombreFinal) {
  QTemporaryDir dir;
  QDir(dir.path()).mkpath("llena/x");
  const QString limitado = "trap '' XFSZ; ulimit -f 2; exec \"$0\" \"$@\"";
  const struct { QStringList Args; int Codigo; const char* Mensaje; bool Limite = false; } casos[] = {
      {{"avx", "1"}, 2, "tipo desconocido"}, {{"avl", "1x"}, 2, "OP no válida"},
      {{"avl", "1", "--salida", "no/hay/l.pdf"}, 1, "no se puede escribir la salida"},
      {{"avl", "1", "--salida", "llena"}, 1, "ya existe"},
      {{"avl", "50", "30", "20", "--salida", "l.pdf"}, 1, "salida l.pdf: falló la escritura", true},
      {{"avl", "50", "30", "20", "--salida", "p"}, 1, "salida p: no se pudo guardar 0001.png: falló", true}};
  for (const auto& c : casos) {
    const QStringList args = c.Args.size() > 2 ? c.Args : c.Args + QStringList{"--salida", "f"};
    const TSalida s = c.Limite ? Correr("sh", QStringList{"-c", limitado, QUELVAR_LAMINA} + args, dir)
                               : Correr(QUELVAR_LAMINA, args, dir);
    EXPECT_TRUE(s.Codigo == c.Codigo && QString(Mensaje(s.Errores)).contains(c.Mensaje)) << s.Errores.toStdString();
    EXPECT_TRUE(c.Codigo != 2 || Mensaje(s.Errores) == Mensaje(Correr(QUELVAR_TRAZA, c.Args, dir).Errores));
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{"llena"});
  EXPECT_EQ(QDir(dir.filePath("llena")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"x"});
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication aplicacion(argc, argv);  // fonts for the drawing
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
