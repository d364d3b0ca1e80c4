// The SNMP agent tables form painted offscreen, both pages: header cells, the Enable check-box
// cells and the selected cell, read from the pixels. The pictures are kept beside the test executable for
// a person to look at.
#include <filesystem>

#include "platform/testing/PaintToPng.h"
#include "tests/gateway/SnmpTrapFormTestSupport.h"

using namespace snmp_form_test;

namespace {

std::filesystem::path PictureFolder() {
  std::filesystem::path p = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "gateway_windows";
  std::filesystem::create_directories(p);
  return p;
}

// What the painter put into one cell of a grid, in the form's picture.
struct CellPixels {
  TBitmap* Picture;
  TRect Cell;  // in the picture
  TColor At(int dx, int dy) const { return Picture->Canvas()->Pixels(Cell.Left + dx, Cell.Top + dy); }
  bool SameAs(const CellPixels& Other) const {
    if (Cell.Right - Cell.Left != Other.Cell.Right - Other.Cell.Left) return false;
    for (int y = 1; y < Cell.Bottom - Cell.Top - 1; ++y)
      for (int x = 1; x < Cell.Right - Cell.Left - 1; ++x)
        if (At(x, y) != Other.At(x, y)) return false;
    return true;
  }
  // Pixels darker than mid grey (text, box borders and check marks).
  int Dark() const {
    int n = 0;
    for (int y = Cell.Top + 1; y < Cell.Bottom - 1; ++y)
      for (int x = Cell.Left + 1; x < Cell.Right - 1; ++x) {
        const TColor c = Picture->Canvas()->Pixels(x, y);
        if ((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) < 3 * 0x80) ++n;
      }
    return n;
  }
  // Pixels other than the window colour (a drawn box shows its frame even when unchecked).
  int Painted() const {
    int n = 0;
    for (int y = 1; y < Cell.Bottom - Cell.Top - 1; ++y)
      for (int x = 1; x < Cell.Right - Cell.Left - 1; ++x)
        if (At(x, y) != 0xFFFFFFu) ++n;
    return n;
  }
};

CellPixels Pixels(TBitmap* Picture, TForm* Form, TAdvColumnGrid* Grid, int Col, int Row) {
  const TRect g = PaintedRect(Grid, Form);
  TRect c = Grid->CellRect(Col, Row);
  c.Left += g.Left;
  c.Right += g.Left;
  c.Top += g.Top;
  c.Bottom += g.Top;
  return CellPixels{Picture, c};
}

}  // namespace

TEST_F(SnmpFormTest, BothPagesPaintHeadersCheckBoxesAndTheSelectedCell) {
  Open([&](TFSNMP_Trap_Access* f) {
    Put_Row(f->ACG_SNMP_Read, 1, Good_Read(u"temp"));
    Put_Row(f->ACG_SNMP_Read, 2, With(Good_Read(u"hum"), 1, u"N"));
    Put_Row(f->ACG_SNMP_Write, 1, Good_Write(u"setp"));
    Put_Row(f->ACG_SNMP_Write, 2, With(Good_Write(u"other"), 1, u"N"));
    const std::pair<int, TAdvColumnGrid*> pages[] = {{0, f->ACG_SNMP_Read}, {1, f->ACG_SNMP_Write}};
    for (const auto& [page, g] : pages) {
      SCOPED_TRACE(page);
      Show_Page(page);
      Click_Cell(g, 3, 4);
      std::unique_ptr<TBitmap> picture = PaintToBitmap(f);
      ASSERT_GT(picture->Width(), 0);
      SavePng(picture.get(), FromPath(PictureFolder() / ("snmp_trap_page" + std::to_string(page) + ".png")));

      const CellPixels header = Pixels(picture.get(), f, g, 2, 0);
      const CellPixels plain = Pixels(picture.get(), f, g, 2, 6);
      const CellPixels selected = Pixels(picture.get(), f, g, 3, 4);
      const CellPixels checked = Pixels(picture.get(), f, g, 1, 1);
      const CellPixels unchecked = Pixels(picture.get(), f, g, 1, 2);
      ASSERT_GT(header.Cell.Right - header.Cell.Left, 20);

      // A data cell's ground is the window colour; the header's is not, and it carries its text.
      EXPECT_EQ(plain.At(3, 3), 0xFFFFFFu);
      EXPECT_NE(header.At(header.Cell.Right - header.Cell.Left - 4, 3), 0xFFFFFFu);
      EXPECT_GT(header.Dark(), 10);
      EXPECT_EQ(plain.Dark(), 0);
      // The selected cell is painted in the selection colour.
      EXPECT_EQ(selected.At(selected.Cell.Right - selected.Cell.Left - 4, 3), g->SelectionColor());
      // The Enable cells are drawn as boxes: both show a frame, only the enabled row's a check mark.
      EXPECT_GT(unchecked.Painted(), 0);
      EXPECT_EQ(unchecked.Dark(), 0);
      EXPECT_GT(checked.Dark(), 0);
      EXPECT_FALSE(checked.SameAs(unchecked));
    }
  });
}
