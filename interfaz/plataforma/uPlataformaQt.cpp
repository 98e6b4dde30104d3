// The real platform services of the running program.
#include "uAlmacenQSettings.h"
#include "uImagenes.h"
#include "uPlataforma.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace {

class TPantallaQt final : public IProfundidadColor {
public:
  int ColoresPaleta() const override {
    const QScreen* pantalla = QGuiApplication::primaryScreen();
    const int bits = pantalla ? pantalla->depth() : 32;
    return bits > 0 && bits <= 8 ? 1 << bits : -1;
  }
};

class TMensajesQt final : public IMensajes {
public:
  void Mostrar(QWidget* padre, const QString& texto) override {
    QMessageBox caja(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), texto,
                     QMessageBox::Ok, padre);
    caja.exec();
  }
  bool Preguntar(QWidget* padre, const QString& texto, const QString& si,
                 const QString& no) override {
    QMessageBox caja(QMessageBox::Question, QGuiApplication::applicationDisplayName(), texto,
                     QMessageBox::NoButton, padre);
    QPushButton* botonSi = caja.addButton(si, QMessageBox::AcceptRole);
    caja.addButton(no, QMessageBox::RejectRole);
    caja.setDefaultButton(botonSi);
    caja.exec();
    return caja.clickedButton() == botonSi;
  }
};

}  // namespace

QStringList FiltrosQt(const QString& filtro) {
  const QStringList partes = filtro.split(QLatin1Char('|'));
  QStringList filtros;
  for (qsizetype i = 0; i + 1 < partes.size(); i += 2) {
    QString texto = partes[i];
    const QString patrones = QString(partes[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
    const qsizetype abre = texto.lastIndexOf(QLatin1Char('('));
    if (abre >= 0 && texto.endsWith(QLatin1Char(')')))
      texto = texto.left(abre).trimmed();
    filtros << texto + QStringLiteral(" (") + patrones + QLatin1Char(')');
  }
  return filtros;
}

std::optional<TFicheroElegido> TSelectorConCarpeta::ElegirAbrir(QWidget* padre,
                                                                const TDialogoFichero& d) {
  TDialogoFichero conCarpeta = d;
  conCarpeta.Carpeta = Carpeta;
  return Recordar(Selector_->ElegirAbrir(padre, conCarpeta));
}

std::optional<TFicheroElegido> TSelectorConCarpeta::ElegirGuardar(QWidget* padre,
                                                                  const TDialogoFichero& d) {
  TDialogoFichero conCarpeta = d;
  conCarpeta.Carpeta = Carpeta;
  return Recordar(Selector_->ElegirGuardar(padre, conCarpeta));
}

std::optional<TFicheroElegido> TSelectorConCarpeta::Recordar(
    std::optional<TFicheroElegido> elegido) {
  if (elegido && !elegido->Ruta.isEmpty())
    Carpeta = QFileInfo(elegido->Ruta).absolutePath();
  return elegido;
}

namespace {

class TFicherosQt final : public ISelectorFicheros {
public:
  std::optional<TFicheroElegido> ElegirAbrir(QWidget* padre, const TDialogoFichero& d) override {
    return Elegir(padre, d, QFileDialog::AcceptOpen);
  }
  std::optional<TFicheroElegido> ElegirGuardar(QWidget* padre, const TDialogoFichero& d) override {
    return Elegir(padre, d, QFileDialog::AcceptSave);
  }

private:
  static std::optional<TFicheroElegido> Elegir(QWidget* padre, const TDialogoFichero& d,
                                               QFileDialog::AcceptMode modo) {
    QFileDialog dialogo(padre, d.Titulo, d.Carpeta);
    dialogo.setAcceptMode(modo);
    dialogo.setFileMode(modo == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    const QStringList filtros = FiltrosQt(d.Filtro);
    dialogo.setNameFilters(filtros);
    if (d.IndiceFiltro >= 1 && d.IndiceFiltro <= filtros.size())
      dialogo.selectNameFilter(filtros[d.IndiceFiltro - 1]);
    dialogo.setDefaultSuffix(d.ExtDefecto.toLower());
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
      return std::nullopt;
    return TFicheroElegido{dialogo.selectedFiles().constFirst(),
                           static_cast<int>(filtros.indexOf(dialogo.selectedNameFilter())) + 1};
  }
};

class TEntradaQt final : public IEntradaTexto {
public:
  std::optional<QString> Pedir(QWidget* padre, const QString& titulo, const QString& etiqueta,
                               const QString& valor) override {
    bool ok = false;
    const QString texto =
        QInputDialog::getText(padre, titulo, etiqueta, QLineEdit::Normal, valor, &ok);
    if (!ok)
      return std::nullopt;
    return texto;
  }
};

}  // namespace

std::shared_ptr<ISelectores> SelectoresQt();

TPlataforma PlataformaQt() {
  TPlataforma p;
  p.Pantalla = std::make_shared<TPantallaQt>();
  p.Mensajes = std::make_shared<TMensajesQt>();
  p.Ficheros = std::make_shared<TFicherosQt>();
  p.Entrada = std::make_shared<TEntradaQt>();
  p.Selectores = SelectoresQt();
  p.Almacen = std::make_shared<TAlmacenQSettings>();
  p.CarpetasImagenes = CarpetasImagenes();
  return p;
}
