// Qt's standard colour and font choosers. Qt's font chooser has no text
// colour, so the font chooser gets a "Color..." button that opens the colour
// chooser and shows the chosen colour as a swatch.
#include "uPlataforma.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QLayout>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include <cstdlib>

namespace {

QIcon Muestra(TColor c) {
  QPixmap p(16, 16);
  p.fill(ColorQt(c));
  QPainter pintor(&p);
  pintor.setPen(Qt::black);
  pintor.drawRect(0, 0, 15, 15);
  return QIcon(p);
}

QFont FuenteQt(const TFuente& f) {
  QFont q(f.Nombre);
  if (f.Tam > 0)
    q.setPointSize(f.Tam);
  q.setBold(f.Negrita);
  q.setItalic(f.Cursiva);
  return q;
}

// The font as the system draws it, so that the chooser finds it in its
// lists: a family the system lacks ("Arial" on many systems) named by its
// substitute, and bold and italic named by that family's own style name.
// The chooser matches styles by name, and the name it makes up from the
// weight is translated ("Negrita"), so it would never find "Bold".
QFont FuenteResuelta(const TFuente& f) {
  QFont q = FuenteQt(f);
  const QString familia = QFontInfo(q).family();
  q.setFamily(familia);
  const int peso = f.Negrita ? QFont::Bold : QFont::Normal;
  QString estilo;
  int distancia = 0;
  for (const QString& e : QFontDatabase::styles(familia)) {
    if (QFontDatabase::italic(familia, e) != f.Cursiva)
      continue;
    const int d = std::abs(QFontDatabase::weight(familia, e) - peso);
    if (estilo.isEmpty() || d < distancia) {
      estilo = e;
      distancia = d;
    }
  }
  if (!estilo.isEmpty())
    q.setStyleName(estilo);
  return q;
}

class TSelectoresQt final : public ISelectores {
public:
  std::optional<TColor> ElegirColor(QWidget* padre, TColor inicial) override {
    const QColor c = QColorDialog::getColor(ColorQt(inicial), padre);
    if (!c.isValid())
      return std::nullopt;
    return ColorDe(c);
  }

  std::optional<TFuente> ElegirFuente(QWidget* padre, const TFuente& inicial) override {
    // The platform's own font chooser cannot take an extra button.
    QFontDialog dlg(FuenteResuelta(inicial), padre);
    dlg.setOption(QFontDialog::DontUseNativeDialog);
    // What the chooser shows at first: an attribute the user leaves as shown
    // comes back as it was given (the stored name, not its substitute).
    const QFont mostrada = dlg.currentFont();

    TColor color = inicial.Color;
    auto* btnColor = new QPushButton(Muestra(color), QStringLiteral("Color..."), &dlg);
    btnColor->setObjectName(QStringLiteral("btnColorFuente"));
    btnColor->setAutoDefault(false);
    if (auto* caja = dlg.findChild<QDialogButtonBox*>())
      caja->addButton(btnColor, QDialogButtonBox::ActionRole);
    else if (dlg.layout())
      dlg.layout()->addWidget(btnColor);
    QObject::connect(btnColor, &QPushButton::clicked, &dlg, [&dlg, &color, btnColor] {
      const QColor c = QColorDialog::getColor(ColorQt(color), &dlg);
      if (!c.isValid())
        return;
      color = ColorDe(c);
      btnColor->setIcon(Muestra(color));
    });

    if (dlg.exec() != QDialog::Accepted)
      return std::nullopt;
    const QFont elegida = dlg.selectedFont();
    TFuente r = inicial;
    if (elegida.family() != mostrada.family())
      r.Nombre = elegida.family();
    if (elegida.pointSize() > 0 && elegida.pointSize() != mostrada.pointSize())
      r.Tam = elegida.pointSize();
    if (elegida.bold() != mostrada.bold())
      r.Negrita = elegida.bold();
    if (elegida.italic() != mostrada.italic())
      r.Cursiva = elegida.italic();
    r.Color = color;
    return r;
  }
};

}  // namespace

std::shared_ptr<ISelectores> SelectoresQt() { return std::make_shared<TSelectoresQt>(); }
