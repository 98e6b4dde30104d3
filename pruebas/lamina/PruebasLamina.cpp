#include <gtest/gtest.h>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include "uDibujo.h"
#include "uGrabacion.h"
#include "uTipoTraza.h"

// A run: its status, its output and its last line of errors from the colon on (Qt's notes before it dropped).
struct TSalida { int Codigo; QByteArray Texto, Errores; };
TSalida Correr(const char* programa, const QStringList& args, const QTemporaryDir& dir) {
  QProcess p;
  p.setWorkingDirectory(dir.path()), p.start(programa, args), p.waitForFinished(240000);
  const QByteArray e = p.readAllStandardError(), linea = e.mid(e.lastIndexOf("quelvar-"));
  return {p.exitCode(), p.readAllStandardOutput(), linea.mid(linea.indexOf(':'))};
}
QString Png(qsizetype i) { return QString("%1.png").arg(i + 1, 4, 10, QChar('0')); }

// avl 50 30 20 as PDF and PNG against its stages recorded here, drawn centred in 1280 x 720; mon des:7
// crear's pictures counted from quelvar-traza's report (type 2 twice, a result per OP), the index in order.
TEST(Lamina, PaginasEImagenesDeCadaEtapaEIndice) {
  QTemporaryDir dir;
  const auto leer = [&](const char* n) { QFile f(dir.filePath(n)); return f.open(QFile::ReadOnly) ? f.readAll() : ""; };
  const QStringList avl{"avl", "50", "30", "20"}, mon{"mon", "des:7", "crear"};
  for (const auto& [args, salida] : {std::pair{avl, "l.pdf"}, {avl, "p"}, {mon, "m"}})
    ASSERT_EQ(Correr(QUELVAR_LAMINA, args + QStringList{"--salida", salida}, dir).Codigo, 0);
  const auto distribuir = [](TArbolBin& a) { return a.DistribuirSeparada(15, 2, 5); };
  std::vector<std::unique_ptr<TArbolBin>> fotos;
  std::unique_ptr<TArbolBin> arbol = BuscarTipoTraza("avl")->Clase();
  for (const int v : {50, 30, 20}) {
    TGrabacion g;
    arbol->Deseleccionar(), g.Grabar(*arbol, [v](TArbolBin& a) { a.Insertar(v); }, distribuir);
    for (std::size_t k = 0; k < g.NumEtapas(); ++k)
      for (TGrabacion::TFoto f = g.Foto(k); auto* a : {&f.Antes, g.Etapa(k).Tipo == 2 ? &f.Despues : nullptr})
        if (a) fotos.push_back(std::move(*a));
    arbol->Deseleccionar(), distribuir(*arbol), fotos.push_back(arbol->Clonar());
  }
  EXPECT_EQ(QString(leer("l.pdf")).count(QRegularExpression("/Type /Page\\b(?!s)")), qsizetype(fotos.size()));
  for (std::size_t i = 0; i < fotos.size(); ++i) {
    const TDistribucion d = distribuir(*fotos[i]->Clonar());
    TAjustesDibujo aj;
    QImage esperada(1280, 720, QImage::Format_RGB32);
    aj.DesplX = (d.Ancho - 1280) / 2, aj.DesplY = (d.Alto - 720) / 2, DibujarEstructura(esperada, *fotos[i], aj);
    EXPECT_EQ(QImage(dir.filePath("p/" + Png(qsizetype(i)))).convertToFormat(QImage::Format_RGB32), esperada) << i;
  }
  const QByteArray t = Correr(QUELVAR_TRAZA, mon, dir).Texto;
  const QStringList pngs = QDir(dir.filePath("m")).entryList({"*.png"}, QDir::Files, QDir::Name);
  EXPECT_EQ(pngs.size(), t.count("{\"etapa\"") + t.count("\"tipo\":2,") + t.count("{\"operacion\""));
  QStringList srcs;  // the index's pictures in its order
  for (auto m = QRegularExpression("src=\"([^\"]+)\"").globalMatch(QString(leer("m/indice.html"))); m.hasNext();)
    srcs << m.next().captured(1);
  EXPECT_TRUE(srcs == pngs && pngs.value(pngs.size() - 1) == Png(pngs.size() - 1)) << srcs.join(' ').toStdString();
}

// quelvar-traza's refusals with its status and message; outputs that cannot be written.
TEST(Lamina, RechazosSinDejarNadaBajoElNombreFinal) {
  QTemporaryDir dir;
  QDir(dir.path()).mkpath("llena/x");
  const struct { QStringList Args; int Codigo; const char* Mensaje; } casos[] = {
      {{"avx", "1"}, 2, "tipo desconocido"}, {{"avl", "1x"}, 2, "OP no válida"},
      {{"avl", "1", "--salida", "no/hay/l.pdf"}, 1, "no se puede escribir la salida"},
      {{"avl", "1", "--salida", "llena"}, 1, "ya existe"}};
  for (const auto& c : casos) {
    const TSalida s = Correr(QUELVAR_LAMINA, c.Args.size() > 2 ? c.Args : c.Args + QStringList{"--salida", "f"}, dir);
    EXPECT_TRUE(s.Codigo == c.Codigo && QString(s.Errores).contains(c.Mensaje)) << s.Errores.toStdString();
    EXPECT_TRUE(c.Codigo != 2 || s.Errores == Correr(QUELVAR_TRAZA, c.Args, dir).Errores) << s.Errores.toStdString();
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
