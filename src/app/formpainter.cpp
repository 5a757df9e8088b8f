#include "app/formpainter.h"

#include "app/mainform.h"

namespace kipkip {

void FormPainter::Paint()
{
    form_.FormPaint();
}

}  // namespace kipkip
