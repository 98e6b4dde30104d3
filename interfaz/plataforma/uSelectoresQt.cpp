// Qt's standard colour and font choosers. Qt's font chooser has no text
// colour, so the font chooser gets a "Color..." button that opens the colour
// chooser and shows the chosen colour as a swatch.
#include "uPlataforma.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QLayout>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

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
    QFontDialog dlg(FuenteQt(inicial), padre);
    dlg.setOption(QFontDialog::DontUseNativeDialog);

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
    r.Nombre = elegida.family();
    r.Tam = elegida.pointSize() > 0 ? elegida.pointSize() : inicial.Tam;
    r.Color = color;
    r.Negrita = elegida.bold();
    r.Cursiva = elegida.italic();
    return r;
  }
};

}  // namespace

std::shared_ptr<ISelectores> SelectoresQt() { return std::make_shared<TSelectoresQt>(); }
