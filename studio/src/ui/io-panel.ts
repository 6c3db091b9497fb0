// Import and export: the WAV image, the .sfs file and the CSV text out; a
// pasted CSV text, an opened or dropped file in; the share link.

import { copyText, download, findElements } from './dom';
import type { Page, Panel } from './page';

/** The exported files' names; the "In your game" panel names the .sfs file too. */
export const SFS_FILE = 'zider-sound.sfs';
const WAV_FILE = 'zider-sound.wav';

export class IoPanel implements Panel {
  private ui = findElements({
    exportWav: HTMLButtonElement,
    exportSfs: HTMLButtonElement,
    copyCsv: HTMLButtonElement,
    csvInput: HTMLTextAreaElement,
    loadCsv: HTMLButtonElement,
    file: HTMLInputElement,
    drop: HTMLElement,
    share: HTMLAnchorElement,
    copyLink: HTMLButtonElement,
  });

  constructor(private page: Page) {
    this.ui.exportWav.onclick = () => void this.exportWav();
    this.ui.exportSfs.onclick = () =>
      download(SFS_FILE, page.engine.sfs(page.view.design.block), 'application/octet-stream');
    this.ui.copyCsv.onclick = () => void copyText(page.view.texts.csv);
    this.ui.copyLink.onclick = () => void copyText(location.href);
    this.ui.loadCsv.onclick = () =>
      page.dispatch({ kind: 'csv', text: this.ui.csvInput.value }, { prefix: 'Pasted text: ' });
    this.ui.file.onchange = () => {
      const f = this.ui.file.files?.[0];
      if (f) void this.open(f);
      this.ui.file.value = '';
    };
    this.bindDrop();
  }

  show(): void {
    this.ui.share.href = location.href;
  }

  private bindDrop(): void {
    const drop = this.ui.drop;
    document.addEventListener('dragover', (e) => {
      e.preventDefault();
      drop.classList.add('over');
    });
    document.addEventListener('dragleave', () => drop.classList.remove('over'));
    document.addEventListener('drop', (e) => {
      e.preventDefault();
      drop.classList.remove('over');
      const f = e.dataTransfer?.files[0];
      if (f) void this.open(f);
    });
  }

  private async exportWav(): Promise<void> {
    const d = this.page.view.design;
    const r = await this.page.renderer.render(d.block, d.rand, d.buffer);
    download(WAV_FILE, r.wav, 'audio/wav');
  }

  private async open(f: File): Promise<void> {
    const bytes = new Uint8Array(await f.arrayBuffer());
    this.page.dispatch({ kind: 'file', name: f.name, bytes });
  }
}
