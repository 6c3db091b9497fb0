// Import and export: the WAV image, the .sfs file and the CSV text out; a
// pasted CSV text, an opened or dropped file in; the share link.

import { csvNote, readsAsSfs } from '../importing';
import { fileName } from '../names';
import { confirmBeside, copyText, download, findElements } from './dom';
import type { Page, Panel } from './page';

export class IoPanel implements Panel {
  private ui = findElements({
    exportWav: HTMLButtonElement,
    exportSfs: HTMLButtonElement,
    copyCsv: HTMLButtonElement,
    csvInput: HTMLTextAreaElement,
    csvNote: HTMLElement,
    loadCsv: HTMLButtonElement,
    file: HTMLInputElement,
    drop: HTMLElement,
    share: HTMLAnchorElement,
    copyLink: HTMLButtonElement,
    importError: HTMLElement,
  });

  constructor(private page: Page) {
    this.ui.exportWav.onclick = () => void this.exportWav();
    this.ui.exportSfs.onclick = () => {
      const d = page.view.design;
      download(fileName(d.name, 'sfs'), page.engine.sfs(d.block), 'application/octet-stream');
    };
    this.ui.copyCsv.onclick = () => void this.copy(this.ui.copyCsv, page.view.texts.csv, 'the CSV text');
    this.ui.copyLink.onclick = () => void this.copy(this.ui.copyLink, location.href, 'the link');
    this.ui.loadCsv.onclick = () => this.loadCsv();
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
    download(fileName(d.name, 'wav'), r.wav, 'audio/wav');
  }

  /** Loads the pasted text; a text of other than 24 fields loads with a note
   * on what the game does with it. */
  private loadCsv(): void {
    const text = this.ui.csvInput.value;
    const before = this.page.view.design;
    this.page.dispatch({ kind: 'csv', text }, { prefix: 'Pasted text: ', errorAt: this.ui.importError });
    this.showNote(this.page.view.design !== before ? csvNote(text) : '');
  }

  private showNote(note: string): void {
    this.ui.csvNote.textContent = note;
    this.ui.csvNote.hidden = note === '';
  }

  private async open(f: File): Promise<void> {
    const bytes = new Uint8Array(await f.arrayBuffer());
    const before = this.page.view.design;
    this.page.dispatch({ kind: 'file', name: f.name, bytes }, { errorAt: this.ui.importError });
    const loaded = this.page.view.design !== before && !readsAsSfs(f.name, bytes);
    const note = loaded ? csvNote(new TextDecoder().decode(bytes)) : '';
    this.showNote(note && `${f.name}: ${note}`);
  }

  private async copy(button: HTMLElement, text: string, what: string): Promise<void> {
    const copied = await copyText(text);
    confirmBeside(button, copied ? `Copied ${what}` : `The browser did not let the page copy ${what}`);
  }
}
